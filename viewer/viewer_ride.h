#pragma once
// The scene viewer's ride: the user flies (or walks) through the scene with the
// ride camera instead of following the scene's own camera.

#include <algorithm>

namespace tk {

// Ride options, a bit set given with "-rideopts".
constexpr int kRideCollide = 0x1;    // the camera collides with the scene's objects
constexpr int kRideWalk = 0x2;       // with kRideCollide: gravity and eye height
constexpr int kRideMouseLook = 0x4;  // mouse-look ride ("Ride FPS") instead of drag ride

class ViewerRide {
 public:
  static constexpr int kDefaultSpeed = 1000;  // cm per second
  // A speed of 0 is the default; below that the slowest speed, 1 cm per second.
  ViewerRide(int options, int speed) : options_(options), speed_(speed == 0 ? kDefaultSpeed : std::max(1, speed)) {}

  // With kRideCollide: objects firstId .. firstId + count - 1 form the camera's
  // collision world, and the ride may jump.
  void buildCollisionWorld(int firstId, int count);
  // Gives the camera the ride speed (cm per second as units per millisecond).
  void applySpeed();
  // The speed moves by delta, never below 1 cm per second.
  void changeSpeed(int delta);

  void toggle() { on_ ? switchOff() : switchOn(); }
  void switchOn();
  void switchOff();
  // In mouse-look ride the cursor is hidden while the window is active.
  void updateCursor(bool windowActive);

  bool on() const { return on_; }
  bool mouseLook() const { return (options_ & kRideMouseLook) != 0; }
  bool collides() const { return (options_ & kRideCollide) != 0; }
  int speed() const { return speed_; }

 private:
  void setCollisionResponse();
  void showCursor(bool shown);

  int options_;
  int speed_;
  bool on_ = false;
  int cursorShown_ = -1;  // as last set while riding: 1 shown, 0 hidden, -1 not set
};

}  // namespace tk
