#include "viewer/viewer_status.h"

#include <algorithm>
#include <cstdio>

namespace tk {
namespace {

template <typename... Args>
std::string formatted(const char* format, Args... args) {
  char text[128];
  snprintf(text, sizeof text, format, args...);
  return text;
}

}  // namespace

std::string frameStatusText(double frame, int m) {
  return formatted("Frame=%4.2f time=%dmn%dsec%d millisec=%d", frame, m / 60000, (m / 1000) % 60,
                   (m / 100) % 600 % 10, m);
}

void FpsMeter::count(int32_t now) {
  if (++counter_ < kIterations) return;
  // A run faster than the timer's resolution still counts as one millisecond.
  int elapsed = std::max(1, static_cast<int>(now - lastTime_));
  text_ = formatted("FPS=%.2f (%.2f ms/frm)", 30000.0f / elapsed, elapsed / 30.0f);
  counter_ = 0;
  lastTime_ = now;
}

std::string rideSpeedText(bool mouseLook, int speedCmPerSecond) {
  return formatted("%s %dcm/s", mouseLook ? "Ride FPS" : "Ride", speedCmPerSecond);
}

float signedAngle(float degrees) { return degrees > 180.0f ? degrees - 360.0f : degrees; }

CameraStatusTexts cameraStatusTexts(const irr::core::vector3df& position, const irr::core::vector3df& target) {
  irr::core::vector3df angles = (target - position).getHorizontalAngle();
  CameraStatusTexts texts;
  texts.position[0] = formatted("X %.3f", position.X);
  texts.position[1] = formatted("Y %.3f", position.Y);
  texts.position[2] = formatted("Z %.3f", position.Z);
  texts.rotation[0] = formatted("H %.1f", signedAngle(angles.Y));
  texts.rotation[1] = formatted("P %.1f", signedAngle(angles.X));
  texts.rotation[2] = formatted("B %.1f", 0.0f);
  return texts;
}

}  // namespace tk
