#include "viewer/viewer_ride.h"

#include <algorithm>

#include "api/camera_commands.h"
#include "api/object_commands.h"
#include "api/ride_camera_animator.h"
#include "platform/window/window.h"
#include "render/engine.h"

namespace tk {
namespace {

constexpr float kUnitsPerMsPerCmPerSecond = 0.00001f;
constexpr float kJumpSpeed = 0.05f;
constexpr float kEllipsoidRadius = 0.2f;
constexpr float kWalkGravity = 0.05f;
constexpr float kEyeHeight = 0.6f;

void setRideMode(int mode) {
  if (CTkSceneNodeAnimatorCamera* animator = tkEngine().rideAnimator) animator->setMode(mode);
}

}  // namespace

void ViewerRide::buildCollisionWorld(int firstId, int count) {
  if (!collides()) return;
  for (int id = firstId; id < firstId + count; ++id)
    if (ObjectExist(id)) SetObjectCollisionOn(id);
  SetCameraJumpSpeed(kJumpSpeed);
}

void ViewerRide::applySpeed() { SetCameraMoveSpeed(speed_ * kUnitsPerMsPerCmPerSecond); }

void ViewerRide::changeSpeed(int delta) {
  speed_ = std::max(1, speed_ + delta);
  applySpeed();
}

void ViewerRide::switchOn() {
  on_ = true;
  if (mouseLook()) showCursor(false);
  setRideMode(mouseLook() ? CTkSceneNodeAnimatorCamera::MODE_MOUSE_LOOK : CTkSceneNodeAnimatorCamera::MODE_DRAG);
  if (collides()) setCollisionResponse();
}

void ViewerRide::switchOff() {
  on_ = false;
  if (mouseLook()) showCursor(true);
  if (collides()) AutomaticCameraCollisionOff();
  setRideMode(CTkSceneNodeAnimatorCamera::MODE_FOLLOW);
}

void ViewerRide::updateCursor(bool windowActive) {
  if (on_ && mouseLook()) showCursor(!windowActive);
}

// Asks the window system only when the cursor's visibility changes.
void ViewerRide::showCursor(bool shown) {
  if (cursorShown_ == static_cast<int>(shown)) return;
  setCursorVisible(tkEngine().device, shown);
  cursorShown_ = shown;
}

void ViewerRide::setCollisionResponse() {
  bool walk = (options_ & kRideWalk) != 0;
  AutomaticCameraCollisionOn(kEllipsoidRadius, walk ? kWalkGravity : 0.0f, walk ? kEyeHeight : 0.0f);
}

}  // namespace tk
