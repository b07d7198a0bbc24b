#pragma once
// The ride camera: a first-person animator on the engine's default camera.
// Mode 2 follows a commanded position and rotation (the scene's camera drives it
// that way); modes 3 (mouse-look) and 4 (drag) fly with the arrow keys in fixed
// steps of a sixtieth of a second, with damping and a speed ramp.

#include <irrlicht.h>

namespace tk {

class CTkSceneNodeAnimatorCamera : public irr::scene::ISceneNodeAnimator {
 public:
  enum Mode { MODE_FOLLOW = 2, MODE_MOUSE_LOOK = 3, MODE_DRAG = 4 };
  static constexpr float kStepMs = 16.666666f;

  explicit CTkSceneNodeAnimatorCamera(irr::IrrlichtDevice* device);

  void animateNode(irr::scene::ISceneNode* node, irr::u32 timeMs) override;
  bool OnEvent(const irr::SEvent& event) override;
  bool isEventReceiverEnabled() const override { return true; }
  irr::scene::ISceneNodeAnimator* createClone(irr::scene::ISceneNode*, irr::scene::ISceneManager*) override {
    return nullptr;
  }

  // Switching into mode 3 or 4 restarts it from the commanded position and rotation.
  void setMode(int mode);
  int mode() const { return mode_; }
  void setCommandedPosition(const irr::core::vector3df& position) { position_ = position; }
  void setCommandedRotation(const irr::core::vector3df& rotation) { rotation_ = rotation; }
  const irr::core::vector3df& commandedPosition() const { return position_; }
  const irr::core::vector3df& commandedRotation() const { return rotation_; }
  void setMoveSpeed(float unitsPerMs) { moveSpeed_ = unitsPerMs; }
  float moveSpeed() const { return moveSpeed_; }
  void setJumpSpeed(float speed) { jumpSpeed_ = speed; }
  float jumpSpeed() const { return jumpSpeed_; }

 private:
  enum Key { KEY_FORWARD, KEY_BACK, KEY_LEFT, KEY_RIGHT, KEY_JUMP, KEY_COUNT };
  void follow(irr::scene::ICameraSceneNode* camera);
  void step(irr::scene::ICameraSceneNode* camera, float t);
  void restart(irr::scene::ICameraSceneNode* camera, float t);
  irr::core::vector2df rotationInput();
  bool anyMovementKeyHeld() const;

  irr::IrrlichtDevice* device_;
  int mode_ = MODE_FOLLOW;
  bool restartPending_ = true;
  irr::core::vector3df position_;
  irr::core::vector3df rotation_;
  float rotateSpeed_ = 100.0f;
  float moveSpeed_ = 0.01f;
  float jumpSpeed_ = 0.0f;
  float lastStep_ = 0;
  float rampStart_ = 0;
  irr::core::vector2df rotationVelocity_;
  irr::core::vector3df translationVelocity_;
  bool held_[KEY_COUNT] = {};
  bool movementHeldBefore_ = false;
  bool leftButton_ = false;
  bool dragging_ = false;
  irr::core::vector2df cursor_{0.5f, 0.5f};
  irr::core::vector2df dragFrom_;
};

}  // namespace tk
