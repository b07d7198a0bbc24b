// The kept frame, whether each frame is copied or left in a back buffer that
// the swap does not touch: drawing outside the engine's frame (a dialog, a
// message box) must not change what a screenshot reads.
#include <gtest/gtest.h>

#include "api/render_frame.h"
#include "platform/screenshot/frame_keeper.h"
#include "platform/screenshot/swap_probe.h"
#include "render/engine.h"
#include "startup/sys_setup.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 32;

class FrameKeeperTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0);
    const bool survives = GetParam();
    if (survives && !backBufferSurvivesSwap(tkEngine().driver))
      GTEST_SKIP() << "this window's swap does not keep the back buffer";
    frameKeeper().setBackBufferSurvivesSwap(survives);
  }
  void TearDown() override { tkSysShutdown(); }
};

TEST_P(FrameKeeperTest, DrawingOutsideTheFrameLeavesTheKeptFrame) {
  tkEngine().clearColor = irr::video::SColor(255, 255, 0, 0);
  renderFrame();
  // What a dialog's loop does before and while it draws.
  frameKeeper().secureKeptFrame();
  ASSERT_TRUE(tkEngine().driver->beginScene(true, true, irr::video::SColor(255, 0, 255, 0)));
  tkEngine().driver->endScene();

  std::vector<uint8_t> rgb = test::lastFrameRgb();
  ASSERT_EQ(rgb.size(), static_cast<size_t>(kWidth * kHeight * 3));
  for (size_t i = 0; i < rgb.size(); i += 3) {
    ASSERT_EQ(rgb[i], 255) << "pixel " << i / 3;
    ASSERT_EQ(rgb[i + 1], 0) << "pixel " << i / 3;
    ASSERT_EQ(rgb[i + 2], 0) << "pixel " << i / 3;
  }
  // The next frame replaces it.
  tkEngine().clearColor = irr::video::SColor(255, 0, 0, 255);
  renderFrame();
  rgb = test::lastFrameRgb();
  ASSERT_FALSE(rgb.empty());
  EXPECT_EQ(rgb[0], 0);
  EXPECT_EQ(rgb[2], 255);
}

INSTANTIATE_TEST_SUITE_P(CopiedOrLeftInTheBackBuffer, FrameKeeperTest, ::testing::Bool());

}  // namespace
}  // namespace tk
