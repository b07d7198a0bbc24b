// The camera range draws exactly what lies between its planes: a cube whose
// faces stand 9 and 11 units in front of the camera, seen through ranges that
// put either plane just before, inside or beyond it.
#include <gtest/gtest.h>

#include "api/camera_commands.h"
#include "api/light_commands.h"
#include "api/object_commands.h"
#include "api/render_frame.h"
#include "base/log.h"
#include "render/engine.h"
#include "startup/sys_setup.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr unsigned kBackdrop = 0x203040;

class CameraRangeDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0);
    // The example badge is a cube of 1.2 units: scaled to 2 units and placed
    // 10 units ahead, its faces stand at 9 and 11.
    ASSERT_EQ(LoadObject(TESK_SOURCE_DIR "/examples/scenes/badge/badge.obj", 1), 0);
    ScaleObject(1, 200.0f / 1.2f, 200.0f / 1.2f, 200.0f / 1.2f);
    PositionObject(1, 0, 0, 10);
    PositionCamera(0, 0, 0);
    RotateCamera(0, 0, 0);
    ColorBackdrop(kBackdrop);
    ColorAmbientLight(0xFFFFFF);
  }
  void TearDown() override { tkSysShutdown(); }

  // Whether the cube covers the middle of the frame.
  bool cubeDrawn() {
    renderFrame();  // the camera takes its commanded place while a frame is drawn
    renderFrame();
    std::vector<uint8_t> rgb = test::lastFrameRgb();
    EXPECT_EQ(rgb.size(), size_t{kWidth * kHeight * 3});
    if (rgb.size() != size_t{kWidth * kHeight * 3}) return false;
    const uint8_t* middle = &rgb[((kHeight / 2) * kWidth + kWidth / 2) * 3];
    unsigned colour = middle[0] << 16 | middle[1] << 8 | middle[2];
    return colour != kBackdrop;
  }
};

TEST_F(CameraRangeDrawTest, OnlyWhatLiesBetweenTheNearAndFarPlanesIsDrawn) {
  struct Case {
    float nearValue, farValue;
    bool drawn;
  } cases[] = {
      {1, 1000, true},     // the whole cube inside
      {8.5f, 20, true},    // the near face just beyond the near plane
      {9.5f, 20, false},   // the near face cut away: only the inside would show, and it faces away
      {15, 1000, false},   // the whole cube before the near plane
      {1, 9.5f, true},     // the near face before the far plane
      {1, 5, false},       // the whole cube beyond the far plane
  };
  for (const Case& c : cases) {
    SetCameraRange(c.nearValue, c.farValue);
    EXPECT_EQ(cubeDrawn(), c.drawn) << "range " << c.nearValue << " to " << c.farValue;
  }
}

}  // namespace
}  // namespace tk
