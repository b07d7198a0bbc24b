// How far the glow pyramid reaches for a radius, and what the advanced
// context reports when one of the glow's effect files is missing.
#include "render/post/post_glow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "base/log.h"
#include "render/engine.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_manager.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/runtime_base_directory.h"

namespace tk {
namespace {

TEST(GlowLevelsTest, TheRadiusDecidesWhichSmallLevelsAreUsedAndHowMuch) {
  struct Case {
    float radius;
    float size, level1, level2, level3;
  } cases[] = {
      {16, 2, 0, 0, 0},   // half and quarter only
      {24, 3, 0.5f, 0, 0},
      {32, 4, 1, 0.5f, 0},
      {40, 5, 1, 1, 0.5f},
      {48, 6, 1, 1, 1},   // every level at full weight
      {480, 60, 1, 1, 1},
      {0, 0, 0, 0, 0},
      {-48, -6, 0, 0, 0},
      {std::numeric_limits<float>::quiet_NaN(), 0, 0, 0, 0},
      {std::numeric_limits<float>::infinity(), 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const STkGlowLevels levels = glowLevels(c.radius);
    EXPECT_FLOAT_EQ(levels.size, c.size) << c.radius;
    EXPECT_FLOAT_EQ(levels.level1, c.level1) << c.radius;
    EXPECT_FLOAT_EQ(levels.level2, c.level2) << c.radius;
    EXPECT_FLOAT_EQ(levels.level3, c.level3) << c.radius;
  }
}

class GlowInitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disableMessageBoxes();
    SysSetup setup;
    setup.width = 320;
    setup.height = 180;
    ASSERT_EQ(tkSysSetup(setup), 0);
    ASSERT_TRUE(tkEngine().manager->getRendererManager()->createRenderTargets(12));
  }
  void TearDown() override { tkSysShutdown(); }

  // Makes a context from the engine's files with one entry replaced; answers
  // whether it was made and what was logged.
  bool makeContext(int position, const std::string& file, std::string* logged) {
    CTkManager* manager = tkEngine().manager;
    std::vector<std::string> files = ctxAdvFiles(false);
    if (position >= 0) files[position] = file;
    test::CapturedStdout out;
    CTkRendererCtxAdv* context = manager->getRendererManager()->createRendererCtxAdv(
        manager->getRenderServices(), manager->getEffectManager(), files);
    *logged = out.take();
    const bool made = context != nullptr;
    if (made) {
      EXPECT_TRUE(context->glow() && context->downSample());
      context->drop();
    }
    return made;
  }

  test::RuntimeBaseDirectory runtime;
  test::TempFolder folder;
};

TEST_F(GlowInitTest, AMissingOrBrokenGlowFileFailsTheContextWithItsMessage) {
  setLogThreshold(LOG_ERROR);
  const std::string missing = folder.path() + "/Missing.hlsl";
  const std::string broken = folder.write("Broken.hlsl", "// [TESK_BEGIN]\n// float4 tint\n// [TESK_END]\n");
  struct Case {
    int position;
    std::string file;
    const char* message;  // null: the context is made
  } cases[] = {
      {-1, "", nullptr},
      {kCtxAdvGlowAlphaMul, missing, "CTkPostGlow failed to load "},
      {kCtxAdvGlowAlphaMul, broken, "CTkPostGlow failed to load "},
      {kCtxAdvGaussianBlur, missing, "CTkPostEffect failed to load "},
      {kCtxAdvDownSampleBlur, broken, "CTkPostEffect failed to load "},
      {kCtxAdvComposeUpSample, missing, "CTkPostEffect failed to load "},
      {kCtxAdvStreakMaxInt, missing, "CTkPostEffect failed to load "},
      {kCtxAdvStreakDraw, broken, "CTkPostEffect failed to load "},
  };
  for (const Case& c : cases) {
    std::string logged;
    EXPECT_EQ(makeContext(c.position, c.file, &logged), c.message == nullptr) << c.position << " " << logged;
    if (c.message) {
      EXPECT_NE(logged.find(c.message + c.file), std::string::npos) << c.position << " " << logged;
    }
  }
}

}  // namespace
}  // namespace tk
