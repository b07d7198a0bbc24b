#include "viewer/viewer_status.h"

#include <gtest/gtest.h>

namespace tk {
namespace {

TEST(ViewerStatusTest, FrameAndTimeText) {
  struct Case {
    double frame;
    int m;
    const char* text;
  } cases[] = {
      {0, 0, "Frame=0.00 time=0mn0sec0 millisec=0"},
      {41.25, 1250, "Frame=41.25 time=0mn1sec2 millisec=1250"},
      {1540.85, 61234, "Frame=1540.85 time=1mn1sec2 millisec=61234"},
      {7.5, 999, "Frame=7.50 time=0mn0sec9 millisec=999"},
  };
  for (const Case& c : cases) EXPECT_EQ(frameStatusText(c.frame, c.m), c.text);
}

TEST(ViewerStatusTest, FramesPerSecondAreMeasuredOverThirtyIterations) {
  FpsMeter meter(1000);
  for (int i = 1; i < 30; ++i) meter.count(1000 + i);
  EXPECT_EQ(meter.text(), "");
  meter.count(1500);
  EXPECT_EQ(meter.text(), "FPS=60.00 (16.67 ms/frm)");
  for (int i = 0; i < 30; ++i) meter.count(1500);  // faster than the timer can tell
  EXPECT_EQ(meter.text(), "FPS=30000.00 (0.03 ms/frm)");
}

TEST(ViewerStatusTest, RideTexts) {
  EXPECT_EQ(rideSpeedText(false, 1000), "Ride 1000cm/s");
  EXPECT_EQ(rideSpeedText(true, 1), "Ride FPS 1cm/s");
  EXPECT_FLOAT_EQ(signedAngle(180), 180);
  EXPECT_FLOAT_EQ(signedAngle(270), -90);
  EXPECT_FLOAT_EQ(signedAngle(45), 45);

  CameraStatusTexts ahead = cameraStatusTexts({1.5f, -2, 3.25f}, {1.5f, -2, 4.25f});
  EXPECT_EQ(ahead.position[0], "X 1.500");
  EXPECT_EQ(ahead.position[1], "Y -2.000");
  EXPECT_EQ(ahead.position[2], "Z 3.250");
  EXPECT_EQ(ahead.rotation[0], "H 0.0");
  EXPECT_EQ(ahead.rotation[1], "P 0.0");
  EXPECT_EQ(ahead.rotation[2], "B 0.0");
  CameraStatusTexts leftAndUp = cameraStatusTexts({0, 0, 0}, {-1, 1, 0});
  EXPECT_EQ(leftAndUp.rotation[0], "H -90.0");
  EXPECT_EQ(leftAndUp.rotation[1], "P -45.0");
}

}  // namespace
}  // namespace tk
