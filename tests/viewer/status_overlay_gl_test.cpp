// The scene viewer's status display drawn through the 2D draw queue.
#include "viewer/status_overlay.h"

#include <gtest/gtest.h>

#include <vector>

#include "api/draw_queue.h"
#include "api/render_frame.h"
#include "startup/sys_setup.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 120;

// White pixels of the last frame in the rectangle.
int whitePixels(const std::vector<uint8_t>& rgb, int x1, int y1, int x2, int y2) {
  int lit = 0;
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) {
      const uint8_t* p = &rgb[(static_cast<size_t>(y) * kWidth + x) * 3];
      lit += p[0] == 255 && p[1] == 255 && p[2] == 255;
    }
  return lit;
}

class StatusOverlayDrawTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0); }
  void TearDown() override { tkSysShutdown(); }
};

TEST_F(StatusOverlayDrawTest, ShowsTheStatusLinesAndTheRideLinesWhileRiding) {
  StatusOverlay overlay(drawQueue());
  ViewerStatus status;
  status.frame = "Frame=1.00";
  status.camera.position[0] = "X 1.000";
  overlay.show(status);
  renderFrame();
  std::vector<uint8_t> rgb = test::lastFrameRgb();
  ASSERT_EQ(rgb.size(), static_cast<size_t>(kWidth * kHeight * 3));
  EXPECT_GT(whitePixels(rgb, 0, 0, 60, 10), 10);
  EXPECT_EQ(whitePixels(rgb, 0, 30, 45, 40), 0);
  status.riding = true;
  overlay.show(status);
  renderFrame();
  rgb = test::lastFrameRgb();
  EXPECT_GT(whitePixels(rgb, 0, 30, 45, 40), 5);
}

}  // namespace
}  // namespace tk
