#pragma once
// The texts of the scene viewer's status display: frame and time, frames per
// second, and while riding the ride speed and the camera's place and heading.

#include <cstdint>
#include <string>

#include <irrlicht.h>

namespace tk {

// "Frame=... time=...mn...sec... millisec=..." for scene time m (ms) at a frame.
std::string frameStatusText(double frame, int m);

// Measures the frame rate over runs of 30 iterations.
class FpsMeter {
 public:
  static constexpr int kIterations = 30;
  explicit FpsMeter(int32_t start = 0) : lastTime_(start) {}
  // Counts one iteration; every 30 iterations the text is renewed.
  void count(int32_t now);
  // "FPS=... (... ms/frm)", empty until the first 30 iterations have passed.
  const std::string& text() const { return text_; }

 private:
  int counter_ = 0;
  int32_t lastTime_;
  std::string text_;
};

// "Ride 1000cm/s" or "Ride FPS 1000cm/s".
std::string rideSpeedText(bool mouseLook, int speedCmPerSecond);

// An angle in [0, 360) shown in (-180, 180].
float signedAngle(float degrees);

// The ride camera's place ("X ...", "Y ...", "Z ...") and heading, pitch and
// bank ("H ...", "P ...", "B ...") for a camera at `position` looking at `target`.
struct CameraStatusTexts {
  std::string position[3];
  std::string rotation[3];
};
CameraStatusTexts cameraStatusTexts(const irr::core::vector3df& position, const irr::core::vector3df& target);

}  // namespace tk
