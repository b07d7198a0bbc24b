// Temporal anti-aliasing on OpenGL: the blend of the new picture over the
// history, read back from float targets frame after frame.
#include <gtest/gtest.h>

#include <cmath>

#include "render/commands/renderer_cmds.h"
#include "render/post/post_antialias.h"
#include "render/post/post_effect.h"
#include "tests/support/capture_stdout.h"
#include "tests/render/post/post_gl_fixture.h"

namespace tk {
namespace {

constexpr int kSize = 16;

// Writes the depth "Depth" everywhere, as the G-buffer would for a wall.
constexpr const char* kConstantDepth = R"(// [TESK_BEGIN]
// float Depth : 1 : pixel
// [TESK_END]
float Depth;
struct VSOut { float4 position : POSITION; float2 uv : TEXCOORD0; };
VSOut vs_main(float4 p : POSITION, float2 uv : TEXCOORD0) { VSOut o; o.position = p; o.uv = uv; return o; }
float4 ps_main(float2 uv : TEXCOORD0) : COLOR { return float4(Depth, Depth, Depth, 1); }
)";

class AntialiasGlTest : public test::PostGlTest {
 protected:
  void SetUp() override {
    PostGlTest::SetUp();
    if (HasFatalFailure()) return;
    antialias = context->antialias();
    ASSERT_TRUE(antialias);
    source = floatTarget("AaSource", kSize, kSize);
    target = floatTarget("AaTarget", kSize, kSize);
    work = floatTarget("AaWork", kSize, kSize);
    history = floatTarget("AaHistory", kSize, kSize);
    settings.antialias[kAntialiasMode] = 0;
    settings.antialias[kAntialiasBlending] = 1;
    settings.antialias[kAntialiasBlendingWeight] = 3;  // a quarter of the new picture
  }

  // One frame whose source is grey `value`; answers the result's value.
  float frame(float value, bool cut, bool useHistory = true) {
    beginFrame();
    const irr::u32 byte = static_cast<irr::u32>(value * 255.0f + 0.5f);
    fill(source, irr::video::SColor(255, byte, byte, byte));
    STkAntialiasFrame f;
    f.target = target;
    f.source = source;
    f.work = work;
    f.history = history;
    f.cameraCut = cut;
    f.useHistory = useHistory;
    irr::video::ITexture* result = antialias->render(settings, f);
    const float seen = result ? read(result).at(kSize / 2, kSize / 2).g : -1.0f;
    endFrame();
    return seen;
  }
  float historyValue() { return read(history).at(kSize / 2, kSize / 2).g; }

  CTkPostAntialias* antialias = nullptr;
  STkRenderSettings settings;
  irr::video::ITexture *source = nullptr, *target = nullptr, *work = nullptr, *history = nullptr;
};

// Black, then white frames: each takes the history a quarter of the way to
// white (1 - 0.75^n); a cut shows the new picture alone at once.
TEST_F(AntialiasGlTest, BlendingSettlesOverFramesAndACutResetsIt) {
  EXPECT_NEAR(frame(0.0f, true), 0.0f, 0.01f);
  float expected = 0.0f;
  for (int n = 1; n <= 4; ++n) {
    expected = 1.0f - std::pow(0.75f, static_cast<float>(n));
    EXPECT_NEAR(frame(1.0f, false), expected, 0.01f) << "frame " << n;
    EXPECT_NEAR(historyValue(), expected, 0.01f) << "frame " << n;
  }
  EXPECT_NEAR(frame(0.0f, true), 0.0f, 0.01f) << "cut";
  EXPECT_NEAR(historyValue(), 0.0f, 0.01f) << "cut";
  EXPECT_NEAR(frame(1.0f, false), 0.25f, 0.01f) << "after the cut";
}

// The reprojecting variants read the history where the pixel's surface was
// on the previous picture. The history holds columns of rising grey, the new
// picture is white, its surfaces all at depth 8 in a 90-degree view: a camera
// standing still reads each pixel's own column; a camera that stood 2 units
// to the right saw each surface an eighth of the picture (2 pixels) further
// left, and pixels whose surface was off that picture (or behind its camera)
// keep the new picture. A V-limit below the motion keeps the new picture
// everywhere.
TEST_F(AntialiasGlTest, ReprojectionReadsTheHistoryWhereTheSurfaceWas) {
  test::TempFolder folder;
  CTkPostEffect depthWriter;
  ASSERT_TRUE(depthWriter.load(manager->getEffectManager(), services, folder.write("depth.fx", kConstantDepth)));
  irr::video::ITexture* depthTarget = renderers->targets().find("DepthRTT")->texture;
  irr::video::ITexture* columns = picture("columns", kSize, kSize, [](int x, int) {
    const irr::u32 v = static_cast<irr::u32>(x * 16);
    return irr::video::SColor(255, v, v, v);
  });
  irr::core::matrix4 projection;
  projection.buildProjectionMatrixPerspectiveFovLH(irr::core::HALF_PI, 1.0f, 0.1f, 100.0f);
  irr::core::matrix4 movedRight;
  movedRight.setTranslation(irr::core::vector3df(-2, 0, 0));
  irr::core::matrix4 passedTheWall;  // the camera stood 10 units ahead, past the surfaces
  passedTheWall.setTranslation(irr::core::vector3df(0, 0, -10));
  struct Case {
    const char* name;
    irr::core::matrix4 previousView;
    int limitOn;
    float limit;
    int shift;  // -1: the new picture alone
  } cases[] = {
      {"still", irr::core::matrix4(), 0, 0.0f, 0},
      {"still, limited", irr::core::matrix4(), 1, 0.5f, 0},
      {"moved", movedRight, 0, 0.0f, 2},
      {"moved, within the limit", movedRight, 1, 3.0f, 2},
      {"moved, beyond the limit", movedRight, 1, 1.0f, -1},
      {"behind the previous camera", passedTheWall, 0, 0.0f, -1},
  };
  settings.antialias[kAntialiasBlending] = 2;
  for (const Case& c : cases) {
    settings.antialias[kAntialiasVLimitEnable] = c.limitOn;
    settings.antialiasLimit = c.limit;
    beginFrame();
    depthWriter.setFloat("Depth", 8.0f);
    depthWriter.draw(depthTarget, nullptr);
    fill(history, columns);
    fill(source, irr::video::SColor(255, 255, 255, 255));
    STkAntialiasFrame f;
    f.target = target;
    f.source = source;
    f.work = work;
    f.history = history;
    f.previousView = c.previousView;
    f.projection = f.previousProjection = projection;
    irr::video::ITexture* result = antialias->render(settings, f);
    ASSERT_EQ(result, target) << c.name;
    const test::FloatPicture p = read(result);
    endFrame();
    for (int x = 0; x < kSize; ++x) {
      const int from = x - c.shift;
      const float expected =
          c.shift < 0 || from < 0 ? 1.0f : 0.25f + 0.75f * static_cast<float>(from * 16) / 255.0f;
      EXPECT_NEAR(p.at(x, kSize / 2).g, expected, 0.02f) << c.name << ", x " << x;
    }
  }
}

// A frame drawn into a texture is no step of the screen's sequence: it
// neither blends with the screen's history nor replaces it.
TEST_F(AntialiasGlTest, FramesIntoATextureLeaveTheHistoryAlone) {
  frame(0.0f, true);
  frame(1.0f, false);
  EXPECT_NEAR(frame(1.0f, false, false), 1.0f, 0.01f) << "the texture frame shows its own picture";
  EXPECT_NEAR(historyValue(), 0.25f, 0.01f);
}

}  // namespace
}  // namespace tk
