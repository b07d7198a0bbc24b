// Depth of field on OpenGL: a picture of one-pixel stripes over two planes,
// the left one near, the right one far, read back from float targets.
#include <gtest/gtest.h>

#include <cmath>

#include "render/post/post_depth_of_field.h"
#include "render/post/post_settings.h"
#include "tests/render/post/post_gl_fixture.h"

namespace tk {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 90;
constexpr int kSplit = kWidth / 2;
// Depths as the picture stores them (the depth target takes its red channel).
constexpr int kNearByte = 51;   // 0.2
constexpr int kFarByte = 204;   // 0.8
constexpr float kNear = kNearByte / 255.0f;
constexpr float kFar = kFarByte / 255.0f;

class DepthOfFieldGlTest : public test::PostGlTest {
 protected:
  void SetUp() override {
    PostGlTest::SetUp();
    if (HasFatalFailure()) return;
    dof = context->depthOfField();
    ASSERT_TRUE(dof);
    source = floatTarget("DofSource", kWidth, kHeight);
    work = floatTarget("DofWork", kWidth, kHeight);
    target = floatTarget("DofTarget", kWidth, kHeight);
    depth = floatTarget("DofDepth", kWidth, kHeight, irr::video::ECF_R32F);
    stripes = picture("stripes", kWidth, kHeight, [](int x, int) {
      return x % 2 ? irr::video::SColor(255, 255, 255, 255) : irr::video::SColor(255, 0, 0, 0);
    });
    planes = picture("planes", kWidth, kHeight, [](int x, int) {
      const int d = x < kSplit ? kNearByte : kFarByte;
      return irr::video::SColor(255, d, d, d);
    });
  }

  // The stripes through depth of field with the settings' focus.
  test::FloatPicture blurred(const STkRenderSettings& settings) {
    refreshPostSemantics(context->bindSemantics(), settings);
    beginFrame();
    fill(source, stripes);
    fill(depth, planes);
    fill(target, irr::video::SColor(255, 255, 0, 0));
    if (settings.advancedDofEnable)
      dof->renderArtist(target, source, depth, work, settings.dofRadiusScale);
    else
      dof->renderPhysical(target, source, depth, work);
    test::FloatPicture result = read(target);
    endFrame();
    return result;
  }

  // Most a pixel of the columns [from, to) strays from its stripe (0 or 1).
  static float largestStray(const test::FloatPicture& p, int from, int to) {
    float stray = 0;
    for (int y = 0; y < p.height; ++y)
      for (int x = from; x < to; ++x) stray = std::fmax(stray, std::fabs(p.at(x, y).g - (x % 2 ? 1.0f : 0.0f)));
    return stray;
  }
  // Most a pixel of the columns [from, to) strays from grey.
  static float largestFromGrey(const test::FloatPicture& p, int from, int to) {
    float stray = 0;
    for (int y = 4; y < p.height - 4; ++y)
      for (int x = from; x < to; ++x) stray = std::fmax(stray, std::fabs(p.at(x, y).g - 0.5f));
    return stray;
  }

  CTkPostDepthOfField* dof = nullptr;
  irr::video::ITexture *source = nullptr, *work = nullptr, *target = nullptr, *depth = nullptr;
  irr::video::ITexture *stripes = nullptr, *planes = nullptr;
};

STkRenderSettings physical(float focalDistance, float fStop) {
  STkRenderSettings s;
  s.focalDistance = focalDistance;
  s.fStop = fStop;
  return s;
}

STkRenderSettings artist(float minimum, float focused, float maximum, float radiusScale) {
  STkRenderSettings s;
  s.advancedDofEnable = 1;
  s.dofFocalRangeMin = minimum;
  s.dofFocalRangeFocused = focused;
  s.dofFocalRangeMax = maximum;
  s.dofRadiusScale = radiusScale;
  return s;
}

// Focused on the near plane: its stripes stay sharp up to the far plane's
// edge, while the far plane's stripes blur to grey.
TEST_F(DepthOfFieldGlTest, OnlyWhatIsOutOfFocusIsBlurred) {
  struct Case {
    const char* name;
    STkRenderSettings settings;
  } cases[] = {
      {"physical", physical(kNear, 0.001f)},
      {"artist", artist(0.0f, kNear, 0.5f, 2.0f)},
  };
  for (const Case& c : cases) {
    const test::FloatPicture p = blurred(c.settings);
    ASSERT_EQ(p.width, kWidth) << c.name;
    EXPECT_LT(largestStray(p, 0, kSplit), 0.02f) << c.name << ": the focused plane, to its very edge";
    EXPECT_LT(largestFromGrey(p, kSplit + 8, kWidth - 4), 0.25f) << c.name << ": the far plane";
  }
}

TEST_F(DepthOfFieldGlTest, FocusOnTheFarPlaneBlursTheNearOne) {
  const test::FloatPicture p = blurred(artist(0.0f, kFar, 1.0f, 2.0f));
  EXPECT_LT(largestStray(p, kSplit, kWidth), 0.02f);
  EXPECT_LT(largestFromGrey(p, 4, kSplit - 8), 0.25f);
}

// Settings a scene may hold that have no lens behind them: every value
// stays finite, and without an aperture nothing is blurred.
TEST_F(DepthOfFieldGlTest, DegenerateLensesDrawFiniteValues) {
  struct Case {
    const char* name;
    STkRenderSettings settings;
    bool sharp;
  } cases[] = {
      {"f-stop 0", physical(kNear, 0.0f), true},
      {"focal distance 0", physical(0.0f, 0.001f), false},
      {"both 0", physical(0.0f, 0.0f), true},
      {"empty artist range", artist(kNear, kNear, kNear, 1.0f), false},
      {"radius scale 0", artist(0.0f, kNear, 0.5f, 0.0f), true},
  };
  for (const Case& c : cases) {
    const test::FloatPicture p = blurred(c.settings);
    EXPECT_TRUE(finite(p)) << c.name;
    if (c.sharp) {
      EXPECT_LT(largestStray(p, 0, kWidth), 0.02f) << c.name;
    }
  }
}

}  // namespace
}  // namespace tk
