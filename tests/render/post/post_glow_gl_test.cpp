// The Gaussian blur pass, glow, light streaks and the DownSample and Glow
// commands drawn on OpenGL into the engine's half-float targets, read back as
// floats.
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "render/commands/renderer_cmds.h"
#include "render/engine.h"
#include "render/gl/gl_texture_name.h"
#include "render/post/post_blur.h"
#include "render/post/post_effect.h"
#include "render/post/post_glow.h"
#include "render/render_services.h"
#include "render/render_settings.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_manager.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_engine.h"
#include "tests/support/runtime_base_directory.h"

namespace tk {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 90;

// One colour over the whole viewport.
constexpr const char* kFill = R"(// [TESK_BEGIN]
// float4 Colour : 0,0,0,0 : pixel
// [TESK_END]
float4 Colour;
float4 vs_main(float4 p : POSITION) : POSITION { return p; }
float4 ps_main() : COLOR { return Colour; }
)";

struct Rgba {
  float r, g, b, a;
};

// A float target read back, addressed as on the screen: (0, 0) is the top left.
class Picture {
 public:
  explicit Picture(irr::video::ITexture* texture) {
    const irr::core::dimension2du size = texture->getSize();
    width_ = static_cast<int>(size.Width);
    height_ = static_cast<int>(size.Height);
    texels_.resize(static_cast<size_t>(width_) * height_ * 4);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, glTextureNameOf(texture));
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, texels_.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(active);
  }
  // Targets keep their bottom row first.
  Rgba at(int x, int y) const {
    const float* t = &texels_[(static_cast<size_t>(height_ - 1 - y) * width_ + x) * 4];
    return {t[0], t[1], t[2], t[3]};
  }
  bool allFinite() const {
    return std::all_of(texels_.begin(), texels_.end(), [](float v) { return std::isfinite(v); });
  }
  float largestDifference(const Picture& other) const {
    float largest = 0;
    for (size_t i = 0; i < texels_.size(); ++i) largest = std::max(largest, std::fabs(texels_[i] - other.texels_[i]));
    return largest;
  }

 private:
  int width_ = 0, height_ = 0;
  std::vector<float> texels_;
};

class GlowGlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0);
    driver = tkEngine().driver;
    manager = tkEngine().manager;
    renderers = manager->getRendererManager();
    ASSERT_TRUE(renderers->createRenderTargets(12));  // half floats
    context = renderers->createRendererCtxAdv(manager->getRenderServices(), manager->getEffectManager(),
                                              ctxAdvFiles(false));
    ASSERT_TRUE(context && context->glow());
    ASSERT_TRUE(fill.load(manager->getEffectManager(), manager->getRenderServices(), folder.write("fill.fx", kFill)));
    ASSERT_TRUE(driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0)));
  }
  void TearDown() override {
    if (driver) driver->endScene();
    if (context) context->drop();
    tkSysShutdown();
  }

  irr::video::ITexture* target(const char* name) const { return renderers->targets().findTexture(name); }
  // `colour` over the rectangle (screen pixels of `texture`, top left first;
  // the whole texture when empty).
  void paint(irr::video::ITexture* texture, Rgba colour, irr::core::recti rect = {}) {
    manager->getRenderServices()->setRenderTargets(&texture, 1);
    if (rect.getArea() > 0) driver->setViewPort(rect);
    const float values[4] = {colour.r, colour.g, colour.b, colour.a};
    fill.effect()->setFloatArray("Colour", values, 4);
    fill.drawIntoCurrent(nullptr);
    driver->setViewPort(irr::core::recti(0, 0, texture->getSize().Width, texture->getSize().Height));
  }
  void glow(irr::video::ITexture* out, irr::video::ITexture* in, float radius, float intensity, bool streaks = false) {
    context->glow()->render(out, in, radius, intensity, streaks, settings);
  }

  irr::video::IVideoDriver* driver = nullptr;
  CTkManager* manager = nullptr;
  CTkRendererManager* renderers = nullptr;
  CTkRendererCtxAdv* context = nullptr;
  CTkPostEffect fill;
  STkRenderSettings settings;
  test::RuntimeBaseDirectory runtime;
  test::TempFolder folder;
};

const Rgba kBlack = {0, 0, 0, 0};
const Rgba kGrey = {0.25f, 0.25f, 0.25f, 0.5f};
const Rgba kGlowing = {1, 1, 1, 1};     // surfaces write their glow into alpha
const Rgba kNotGlowing = {1, 1, 1, 0};
const irr::core::recti kLeftSquare(8, 8, 24, 24);
const irr::core::recti kRightSquare(120, 8, 136, 24);

// One blur pass reaches Radius screen pixels each way and no further, falls
// off evenly from the middle, and keeps a flat picture flat (times the
// weight): its taps are normalised whichever tap count the reach picks.
TEST_F(GlowGlTest, ABlurPassReachesItsRadiusAndKeepsItsWeight) {
  CTkPostBlur blur;
  ASSERT_TRUE(blur.load(manager->getEffectManager(), manager->getRenderServices(), resolveFile("GaussianBlur.hlsl")));
  irr::video::ITexture* in = target("BackRTT[0]");
  irr::video::ITexture* out = target("BackRTT[1]");
  const int line = 60;
  for (int radius : {2, 5, 9, 14}) {
    paint(in, kBlack);
    paint(in, {1, 1, 1, 1}, irr::core::recti(line, 0, line + 1, kHeight));
    blur.pass(out, in, true, static_cast<float>(radius), 1);
    const Picture across(out);
    for (int d = 1; d <= radius; ++d) {
      EXPECT_GT(across.at(line + d, 45).r, 0.0f) << radius << " at " << d;
      EXPECT_NEAR(across.at(line - d, 45).r, across.at(line + d, 45).r, 1e-3f) << radius << " at " << d;
    }
    // Taps a fraction of a texel apart ripple a little over a one-texel line;
    // the fall-off shows over a few texels.
    EXPECT_GT(across.at(line, 45).r, across.at(line + (radius + 1) / 2, 45).r) << radius;
    EXPECT_GT(across.at(line + (radius + 1) / 2, 45).r, across.at(line + radius, 45).r) << radius;
    EXPECT_EQ(across.at(line + radius + 2, 45).r, 0.0f) << radius;
    EXPECT_EQ(across.at(line - radius - 2, 45).r, 0.0f) << radius;
  }
  for (float radius : {0.0f, 6.0f, 40.0f, 300.0f}) {
    paint(in, kGrey);
    blur.pass(out, in, false, radius, 2);
    const Picture flat(out);
    for (int x : {0, 80, 159})
      for (int y : {0, 45, 89}) EXPECT_NEAR(flat.at(x, y).r, 2 * kGrey.r, 1e-3f) << radius << " " << x << "," << y;
  }
}

// The glow lights the surroundings of what glows, adds onto the target and
// keeps its alpha; what does not glow, the far corner and the opposite edges
// (no wrapping around) stay as they were.
TEST_F(GlowGlTest, GlowSpreadsAroundWhatGlowsOnly) {
  irr::video::ITexture* in = target("BackRTT[0]");
  irr::video::ITexture* out = target("BackRTT[1]");
  paint(in, kBlack);
  paint(in, kGlowing, kLeftSquare);
  paint(in, kNotGlowing, kRightSquare);
  paint(out, kGrey);
  glow(out, in, 32, 1);
  const Picture picture(out);
  const float inside = picture.at(16, 16).r - kGrey.r;
  const float beside = picture.at(30, 16).r - kGrey.r;
  const float further = picture.at(40, 16).r - kGrey.r;
  EXPECT_GT(inside, 0.2f);
  EXPECT_GT(beside, 0.02f);
  EXPECT_LT(further, beside);
  struct Dark {
    const char* where;
    int x, y;
  } darks[] = {{"far corner", 155, 85}, {"around the square that does not glow", 128, 30},
               {"right edge", 158, 16}, {"bottom edge", 16, 88}};
  for (const Dark& d : darks) EXPECT_NEAR(picture.at(d.x, d.y).r, kGrey.r, 2e-3f) << d.where;
  for (int x : {16, 30, 80, 155})
    for (int y : {16, 45, 85}) EXPECT_EQ(picture.at(x, y).a, kGrey.a) << x << "," << y;
}

// Radii of nothing or less and an intensity of 0 put no NaN or infinity into
// the frame; an intensity of 0 leaves it exactly as it was.
TEST_F(GlowGlTest, DegenerateRadiiAndIntensitiesStayFinite) {
  struct Case {
    float radius, intensity;
    bool streaks;
  } cases[] = {{0, 1, false},  {-32, 1, false}, {48, 0, false}, {0, 0, true},
               {-1, 1, true},  {1e30f, 1, false}, {std::numeric_limits<float>::quiet_NaN(), 1, true}};
  settings.streakThreshold = 0;
  settings.streakIntensity = 10;
  settings.streakTint[0] = settings.streakTint[1] = settings.streakTint[2] = 1;
  settings.streakAttenuation = 0;  // no fading along the streak
  irr::video::ITexture* in = target("BackRTT[0]");
  irr::video::ITexture* out = target("BackRTT[1]");
  paint(in, kBlack);
  paint(in, {100, 100, 100, 1}, kLeftSquare);
  for (const Case& c : cases) {
    paint(out, kGrey);
    const Picture before(out);
    glow(out, in, c.radius, c.intensity, c.streaks);
    const Picture after(out);
    EXPECT_TRUE(after.allFinite()) << c.radius << " " << c.intensity;
    if (c.intensity == 0) {
      EXPECT_EQ(after.largestDifference(before), 0.0f) << c.radius;
    } else {
      EXPECT_GT(after.at(16, 16).r, kGrey.r + 1) << c.radius;
    }
  }
}

// A 30-degree streak keeps Direct3D's sense (v downwards): from the light it
// runs down to the right and up to the left on the screen, not along the
// mirrored line.
TEST_F(GlowGlTest, AStreakRunsAtItsAngleTheDirect3DWay) {
  settings.streakThreshold = 1;
  settings.streakIntensity = 10;
  settings.streakTint[0] = settings.streakTint[1] = settings.streakTint[2] = 1;
  settings.streakAttenuation = 1;
  settings.streakAngle = 30;
  irr::video::ITexture* in = target("BackRTT[0]");
  irr::video::ITexture* out = target("BackRTT[1]");
  paint(in, kBlack);
  paint(in, {50, 50, 50, 0}, irr::core::recti(79, 44, 81, 46));  // bright, but no glow
  paint(out, kBlack);
  glow(out, in, 16, 1, true);
  const Picture picture(out);
  const float along[] = {picture.at(101, 57).r, picture.at(59, 33).r};
  const float mirrored[] = {picture.at(101, 33).r, picture.at(59, 57).r};
  for (int side = 0; side < 2; ++side) {
    EXPECT_GT(along[side], 1e-3f) << side;
    EXPECT_GT(along[side], 10 * mirrored[side]) << side;
  }
  EXPECT_TRUE(picture.allFinite());
}

// The half-screen result target as the source: the glow is reported and
// built from a copy, and comes out as from any other half-screen source,
// streaks included.
TEST_F(GlowGlTest, GlowFromItsOwnResultTargetWorksFromACopy) {
  settings.streakThreshold = 0.5f;
  settings.streakIntensity = 5;
  settings.streakTint[0] = settings.streakTint[1] = settings.streakTint[2] = 1;
  settings.streakAttenuation = 1;
  const irr::core::recti square(4, 4, 12, 12);
  irr::video::ITexture* result = target("HalfScreen[1]");
  irr::video::ITexture* other = target("HalfScreen[2]");
  irr::video::ITexture* expected = target("BackRTT[1]");
  irr::video::ITexture* seen = target("BackRTT[2]");
  for (irr::video::ITexture* source : {other, result}) {
    paint(source, kBlack);
    paint(source, {4, 4, 4, 1}, square);
  }
  paint(expected, kBlack);
  paint(seen, kBlack);
  setLogThreshold(LOG_ERROR);
  std::string logged[2];
  {
    test::CapturedStdout out;
    glow(expected, other, 32, 1, true);
    logged[0] = out.take();
    paint(result, kBlack);
    paint(result, {4, 4, 4, 1}, square);
    glow(seen, result, 32, 1, true);
    logged[1] = out.take();
  }
  EXPECT_EQ(logged[0].find("CTkPostGlow error"), std::string::npos);
  EXPECT_NE(logged[1].find("CTkPostGlow error: Half Source cannot be set to Texture Half [1]"), std::string::npos);
  const Picture want(expected), got(seen);
  EXPECT_GT(want.at(16, 16).r, 1.0f);
  EXPECT_GT(want.at(40, 16).r, 1e-3f);  // the streak
  EXPECT_LT(got.largestDifference(want), 0.01f * want.at(16, 16).r);
}

STkRenderCmdParam number(const char* name, float value) {
  STkRenderCmdParam p;
  p.name = name;
  p.kind = RP_FLOAT;
  p.vector[0] = value;
  return p;
}

STkRenderCmdParam integer(const char* name, int value) {
  STkRenderCmdParam p;
  p.name = name;
  p.integer = value;
  return p;
}

STkRenderCmdDesc command(const char* type, const char* in, const char* out, std::vector<STkRenderCmdParam> parameters) {
  STkRenderCmdDesc d;
  d.name = type;
  d.cmd = type;
  d.inputs = {{"Source", in}};
  d.outputs = {{"Color0", out}};
  d.parameters = std::move(parameters);
  return d;
}

class GlowCommandsGlTest : public GlowGlTest {
 protected:
  void run(const STkRenderCmdDesc& d) {
    CTkRendererCmds* renderer = renderers->createRendererCmds(context, manager->getRenderServices(),
                                                              manager->getVideoDriverExt(), {d});
    ASSERT_TRUE(renderer);
    renderer->render(nullptr);
    renderer->drop();
  }
  void setGlow(int enable, float intensity) {
    STkRenderSettings& scene = context->getRenderSettings();
    scene.glowEnable = enable;
    scene.glowIntensity = intensity;
    scene.glowRadius = 32;
  }
};

// With "When" the scene's settings drive the glow and switch it off; without,
// the command's own radius and intensity apply whatever the scene says.
TEST_F(GlowCommandsGlTest, GlowFollowsTheSceneOnlyWithWhen) {
  struct Case {
    const char* name;
    int when, enable;
    float sceneIntensity;
    float radius, intensity;  // the glow expected; intensity 0: none
  } cases[] = {
      {"When, glow disabled", 1, 0, 2, 0, 0},
      {"When, no intensity", 1, 1, 0, 0, 0},
      {"When, glow on", 1, 1, 2, 32, 2},
      {"without When, glow disabled", 0, 0, 0, 16, 0.5f},
  };
  irr::video::ITexture* in = target("BackRTT[0]");
  irr::video::ITexture* out = target("BackRTT[1]");
  irr::video::ITexture* expected = target("BackRTT[2]");
  paint(in, kBlack);
  paint(in, kGlowing, kLeftSquare);
  for (const Case& c : cases) {
    setGlow(c.enable, c.sceneIntensity);
    paint(out, kGrey);
    paint(expected, kGrey);
    if (c.intensity != 0) glow(expected, in, c.radius, c.intensity);
    run(command("Glow", "BackRTT[0]", "BackRTT[1]",
                {integer("When", c.when), number("Radius", 16), number("Intensity", 0.5f)}));
    const Picture want(expected), got(out);
    EXPECT_EQ(got.largestDifference(want), 0.0f) << c.name;
  }
}

// DownSample reduces its input into its output unless "When" ties it to a
// glow that is off.
TEST_F(GlowCommandsGlTest, DownSampleReducesUnlessGlowIsOffWithWhen) {
  struct Case {
    const char* name;
    int when, enable;
    bool drawn;
  } cases[] = {{"When, glow off", 1, 0, false}, {"When, glow on", 1, 1, true}, {"without When", 0, 0, true}};
  irr::video::ITexture* in = target("BackRTT[0]");
  irr::video::ITexture* out = target("HalfScreen[2]");
  paint(in, kBlack);
  paint(in, kGlowing, kLeftSquare);
  for (const Case& c : cases) {
    setGlow(c.enable, 1);
    paint(out, kGrey);
    run(command("DownSample", "BackRTT[0]", "HalfScreen[2]", {integer("When", c.when)}));
    const Picture half(out);
    EXPECT_NEAR(half.at(8, 8).r, c.drawn ? 1.0f : kGrey.r, 1e-3f) << c.name;    // the square's middle
    EXPECT_NEAR(half.at(60, 30).r, c.drawn ? 0.0f : kGrey.r, 1e-3f) << c.name;  // far from it
  }
}

}  // namespace
}  // namespace tk
