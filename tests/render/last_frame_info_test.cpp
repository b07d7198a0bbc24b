#include "render/last_frame_info.h"

#include <gtest/gtest.h>

namespace tk {
namespace {

struct FakeSource : FrameSource {
  irr::u32 clock = 1000;
  irr::core::matrix4 viewMatrix;
  irr::u32 clockMs() override { return clock; }
  irr::core::matrix4 projection() override { return irr::core::matrix4(); }
  irr::core::matrix4 view() override { return viewMatrix; }
  irr::u32 sceneTime() override { return clock / 2; }
};

irr::core::matrix4 lookFrom(irr::core::vector3df position, irr::core::vector3df rotationDegrees) {
  irr::core::vector3df forward(0, 0, 1), up(0, 1, 0);
  irr::core::matrix4 rotation;
  rotation.setRotationDegrees(rotationDegrees);
  rotation.rotateVect(forward);
  rotation.rotateVect(up);
  irr::core::matrix4 view;
  view.buildCameraLookAtMatrixLH(position, position + forward, up);
  return view;
}

TEST(LastFrameInfoTest, AverageOverTheRecentFrames) {
  FakeSource source;
  CTkLastFrameInfo info(&source);
  info.endFrame();
  for (int i = 0; i < 3; ++i) {
    source.clock += 20;
    info.endFrame();
  }
  EXPECT_FLOAT_EQ(info.getAverageFrameTime(), 0.015f);
  EXPECT_NEAR(info.getFramesPerSecond(), 66.67f, 0.01f);
  EXPECT_EQ(info.getLastTime(), 530u);
  for (int i = 0; i < 40; ++i) {
    source.clock += 10;
    info.endFrame();
  }
  EXPECT_FLOAT_EQ(info.getAverageFrameTime(), 0.010f);  // the ring keeps the last 30
}

TEST(LastFrameInfoTest, CameraCuts) {
  FakeSource source;
  CTkLastFrameInfo info(&source);
  irr::core::matrix4 start = lookFrom({0, 0, 0}, {0, 0, 0});
  EXPECT_TRUE(info.isCameraCut(start, 1, 20));  // no previous frame
  source.viewMatrix = start;
  info.endFrame();
  EXPECT_FALSE(info.isCameraCut(start, 1, 20));
  EXPECT_FALSE(info.isCameraCut(lookFrom({0, 0, 0}, {0, 0, 45}), 1, 20));  // a roll about Z
  EXPECT_FALSE(info.isCameraCut(lookFrom({0, 0, 0}, {0, 15, 0}), 1, 20));
  EXPECT_TRUE(info.isCameraCut(lookFrom({0, 0, 0}, {0, 25, 0}), 1, 20));
  EXPECT_FALSE(info.isCameraCut(lookFrom({0.5f, 0.5f, 0}, {0, 0, 0}), 1, 20));
  EXPECT_TRUE(info.isCameraCut(lookFrom({1, 1, 0}, {0, 0, 0}), 1, 20));
  info.invalidate();
  EXPECT_TRUE(info.isInvalid());
  EXPECT_TRUE(info.isCameraCut(start, 1, 20));
}

}  // namespace
}  // namespace tk
