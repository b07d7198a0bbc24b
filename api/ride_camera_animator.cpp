#include "api/ride_camera_animator.h"

#include "platform/window/window.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace tk {
namespace {

constexpr float kMaxPitch = 88.0f;
constexpr float kRotationDamping = 0.7f;
constexpr float kTranslationDamping = 0.85f;
constexpr float kRampMs = 100.0f;

irr::core::vector3df rotated(const irr::core::vector3df& rotation, irr::core::vector3df v) {
  irr::core::matrix4 m;
  m.setRotationDegrees(rotation);
  m.transformVect(v);
  return v;
}

// A pitch in [0, 360) kept out of the band that would turn the view over.
float limitPitch(float pitch) {
  if (pitch > 176 && pitch < 272) return 272;
  if (pitch > kMaxPitch && pitch <= 176) return kMaxPitch;
  return pitch;
}

}  // namespace

CTkSceneNodeAnimatorCamera::CTkSceneNodeAnimatorCamera(irr::IrrlichtDevice* device) : device_(device) {}

void CTkSceneNodeAnimatorCamera::setMode(int mode) {
  if (mode != mode_) restartPending_ = true;
  mode_ = mode;
}

bool CTkSceneNodeAnimatorCamera::OnEvent(const irr::SEvent& event) {
  if (event.EventType == irr::EET_KEY_INPUT_EVENT) {
    switch (event.KeyInput.Key) {
      case irr::KEY_UP: held_[KEY_FORWARD] = event.KeyInput.PressedDown; break;
      case irr::KEY_DOWN: held_[KEY_BACK] = event.KeyInput.PressedDown; break;
      case irr::KEY_LEFT: held_[KEY_LEFT] = event.KeyInput.PressedDown; break;
      case irr::KEY_RIGHT: held_[KEY_RIGHT] = event.KeyInput.PressedDown; break;
      case irr::KEY_RCONTROL: held_[KEY_JUMP] = event.KeyInput.PressedDown; break;
      default: break;
    }
  } else if (event.EventType == irr::EET_MOUSE_INPUT_EVENT) {
    if (event.MouseInput.Event == irr::EMIE_LMOUSE_PRESSED_DOWN) leftButton_ = true;
    if (event.MouseInput.Event == irr::EMIE_LMOUSE_LEFT_UP) leftButton_ = false;
    irr::core::dimension2du size = device_->getVideoDriver()->getScreenSize();
    if (size.Width > 0 && size.Height > 0)
      cursor_.set(event.MouseInput.X / static_cast<float>(size.Width),
                  event.MouseInput.Y / static_cast<float>(size.Height));
  }
  return false;
}

void CTkSceneNodeAnimatorCamera::animateNode(irr::scene::ISceneNode* node, irr::u32 timeMs) {
  if (!node || node->getType() != irr::scene::ESNT_CAMERA) return;
  auto* camera = static_cast<irr::scene::ICameraSceneNode*>(node);
  if (mode_ != MODE_MOUSE_LOOK && mode_ != MODE_DRAG) {
    follow(camera);
    return;
  }
  float a = static_cast<float>(timeMs);
  if (restartPending_) {
    restart(camera, a);
    return;
  }
  if (a - lastStep_ < 16.0f) return;
  // Fixed steps of a sixtieth of a second up to a, then one step at a.
  for (float t = lastStep_ + kStepMs; t <= a - kStepMs; t += kStepMs) step(camera, t);
  step(camera, a);
}

void CTkSceneNodeAnimatorCamera::follow(irr::scene::ICameraSceneNode* camera) {
  camera->setPosition(position_);
  camera->updateAbsolutePosition();
  camera->setTarget(position_ + rotated(rotation_, irr::core::vector3df(0, 0, 1)));
  camera->setUpVector(rotated(rotation_, irr::core::vector3df(0, 1, 0)));
  // With target and rotation bound, this keeps the bank for nodes attached to the camera.
  camera->setRotation(rotation_);
}

void CTkSceneNodeAnimatorCamera::restart(irr::scene::ICameraSceneNode* camera, float t) {
  camera->setUpVector(irr::core::vector3df(0, 1, 0));
  camera->setPosition(position_);
  camera->updateAbsolutePosition();
  camera->setTarget(position_ + rotated(rotation_, irr::core::vector3df(0, 0, 1)));
  lastStep_ = t;
  rampStart_ = t;
  rotationVelocity_.set(0, 0);
  translationVelocity_.set(0, 0, 0);
  dragging_ = false;
  restartPending_ = false;
}

bool CTkSceneNodeAnimatorCamera::anyMovementKeyHeld() const {
  return held_[KEY_FORWARD] || held_[KEY_BACK] || held_[KEY_LEFT] || held_[KEY_RIGHT];
}

// Degrees of yaw (x) and pitch (y) asked for by the mouse in this step.
irr::core::vector2df CTkSceneNodeAnimatorCamera::rotationInput() {
  if (mode_ == MODE_MOUSE_LOOK) {
    irr::core::vector2df input((cursor_.X - 0.5f) * rotateSpeed_, (cursor_.Y - 0.5f) * rotateSpeed_);
    if (irr::gui::ICursorControl* cursor = device_->getCursorControl()) cursor->setPosition(0.5f, 0.5f);
    cursor_.set(0.5f, 0.5f);
    return input;
  }
  if (!leftButton_) {
    dragging_ = false;
    return {0, 0};
  }
  irr::core::vector2df input;
  if (dragging_) input.set((cursor_.X - dragFrom_.X) * rotateSpeed_, (cursor_.Y - dragFrom_.Y) * rotateSpeed_);
  dragging_ = true;
  dragFrom_ = cursor_;
  return input;
}

void CTkSceneNodeAnimatorCamera::step(irr::scene::ICameraSceneNode* camera, float t) {
  // Without a window (null driver) there is no focus to lose.
  bool focused = !windowOf(device_).valid() || device_->isWindowActive();
  if (!focused) {
    std::fill(std::begin(held_), std::end(held_), false);
    if (mode_ == MODE_MOUSE_LOOK) return;
  }
  irr::scene::ISceneManager* scenes = camera->getSceneManager();
  if ((scenes && scenes->getActiveCamera() != camera) || !camera->isInputReceiverEnabled()) return;
  float dt = t - lastStep_;
  lastStep_ = t;
  bool movementHeld = anyMovementKeyHeld();
  if (movementHeld && !movementHeldBefore_) rampStart_ = t;
  movementHeldBefore_ = movementHeld;

  irr::core::vector3df position = camera->getPosition();
  irr::core::vector3df direction = (camera->getTarget() - camera->getAbsolutePosition()).getHorizontalAngle();
  float pitch = direction.X, yaw = direction.Y;

  irr::core::vector2df input = rotationInput();
  float f = dt / (1000.0f / 60.0f);
  rotationVelocity_ = f > 0.5f ? input + rotationVelocity_ * kRotationDamping : input;
  pitch += (1 - kRotationDamping) * rotationVelocity_.Y;
  yaw += (1 - kRotationDamping) * rotationVelocity_.X;
  pitch = std::fmod(std::fmod(pitch, 360.0f) + 360.0f, 360.0f);
  pitch = limitPitch(pitch);

  irr::core::vector3df forward = rotated(irr::core::vector3df(pitch, yaw, 0), irr::core::vector3df(0, 0, 1));
  forward.normalize();
  irr::core::vector3df strafe = forward.crossProduct(camera->getUpVector()).normalize();

  float ramp = std::min(1.0f, (t - rampStart_) / kRampMs);
  translationVelocity_ = f > 0.5f ? translationVelocity_ * kTranslationDamping : irr::core::vector3df(0, 0, 0);
  float g = (1 - kTranslationDamping) * ramp * moveSpeed_ * dt;
  if (held_[KEY_FORWARD]) translationVelocity_ += forward * g;
  if (held_[KEY_BACK]) translationVelocity_ -= forward * g;
  if (held_[KEY_LEFT]) translationVelocity_ += strafe * g;
  if (held_[KEY_RIGHT]) translationVelocity_ -= strafe * g;

  float reach = std::max(1.0f, static_cast<float>(position.getLength()));
  irr::core::vector3df moved = position + translationVelocity_;
  camera->setPosition(moved);
  camera->updateAbsolutePosition();
  camera->setTarget(moved + forward * reach);
  if (held_[KEY_JUMP]) {
    for (irr::scene::ISceneNodeAnimator* animator : camera->getAnimators()) {
      if (animator->getType() != irr::scene::ESNAT_COLLISION_RESPONSE) continue;
      auto* response = static_cast<irr::scene::ISceneNodeAnimatorCollisionResponse*>(animator);
      if (!response->isFalling()) response->jump(jumpSpeed_);
    }
  }
}

}  // namespace tk
