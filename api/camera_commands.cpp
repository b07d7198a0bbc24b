#include "api/camera_commands.h"

#include <cmath>

#include "api/camera_collision.h"
#include "api/ride_camera_animator.h"
#include "render/engine.h"

namespace tk {
namespace {

irr::scene::ICameraSceneNode* camera() { return tkEngine().camera; }

irr::scene::ISceneNodeAnimator* lastCollisionAnimator(irr::scene::ICameraSceneNode* node) {
  irr::scene::ISceneNodeAnimator* found = nullptr;
  for (irr::scene::ISceneNodeAnimator* animator : node->getAnimators())
    if (animator->getType() == irr::scene::ESNAT_COLLISION_RESPONSE) found = animator;
  return found;
}

}  // namespace

void SetCameraRange(float nearValue, float farValue) {
  // Equal planes have no depth between them; a plane that is not a number
  // (from a demo or scene file) has no place at all. Both take the defaults.
  if (nearValue == farValue || !std::isfinite(nearValue) || !std::isfinite(farValue)) {
    nearValue = 0.1f;
    farValue = 1000.0f;
  }
  camera()->setNearValue(nearValue);
  camera()->setFarValue(farValue);
}

float verticalFieldOfView(float angleDegrees, int width, int height) {
  const float pi = 3.1415927f;
  return 2.0f * std::atan(std::tan(angleDegrees * pi / 180.0f * 0.5f) *
                          (static_cast<float>(height) / static_cast<float>(width)));
}

void SetCameraFOV(float angle) {
  STkEngine& e = tkEngine();
  e.cameraValues.fovY = verticalFieldOfView(angle, e.width, e.height);
  camera()->setFOV(e.cameraValues.fovY);
}

void SetCameraDOF(bool enable, float focalDistance, float fStop) {
  STkCameraValues& v = tkEngine().cameraValues;
  v.dofEnable = enable;
  v.dofFocalDistance = focalDistance;
  v.dofFStop = fStop;
}

void SetCameraAdvancedDOF(bool enable, float minFocus, float maxFocus, float focused, float radiusScale) {
  STkCameraValues& v = tkEngine().cameraValues;
  v.advancedDofEnable = enable;
  v.advancedDofMinFocus = minFocus;
  v.advancedDofMaxFocus = maxFocus;
  v.advancedDofFocused = focused;
  v.advancedDofRadiusScale = radiusScale;
}

void SetCameraStereo(bool enable, float separation, bool useConvergence, float convergence) {
  STkCameraValues& v = tkEngine().cameraValues;
  v.stereoEnable = enable;
  v.stereoSeparation = separation;
  v.stereoUseConvergence = useConvergence;
  v.stereoConvergence = convergence;
}

void PositionCamera(float x, float y, float z) {
  tkEngine().rideAnimator->setCommandedPosition(irr::core::vector3df(x, y, z));
}

void RotateCamera(float x, float y, float z) {
  tkEngine().rideAnimator->setCommandedRotation(irr::core::vector3df(x, y, z));
}

void SetCameraMode(int mode) {
  int rideMode = mode == 1   ? CTkSceneNodeAnimatorCamera::MODE_MOUSE_LOOK
                 : mode == 2 ? CTkSceneNodeAnimatorCamera::MODE_DRAG
                             : CTkSceneNodeAnimatorCamera::MODE_FOLLOW;
  tkEngine().rideAnimator->setMode(rideMode);
}

void SetCameraMoveSpeed(float speed) { tkEngine().rideAnimator->setMoveSpeed(speed); }
void SetCameraJumpSpeed(float speed) { tkEngine().rideAnimator->setJumpSpeed(speed); }
void SetCameraRotationXYZ() {}
void SetCameraRotationZYX() {}

void AutomaticCameraCollisionOn(float radius, float gravity, float offset) {
  irr::scene::ICameraSceneNode* node = camera();
  if (irr::scene::ISceneNodeAnimator* existing = lastCollisionAnimator(node)) node->removeAnimator(existing);
  irr::scene::ITriangleSelector* world = cameraCollisionSet();
  irr::scene::ISceneNodeAnimator* response = tkEngine().sceneManager->createCollisionResponseAnimator(
      world, node, irr::core::vector3df(radius, radius, radius), irr::core::vector3df(0, -gravity, 0),
      irr::core::vector3df(0, offset, 0), 0.0005f);
  node->addAnimator(response);
  response->drop();
}

void AutomaticCameraCollisionOff() {
  irr::scene::ICameraSceneNode* node = camera();
  if (!node) return;
  if (irr::scene::ISceneNodeAnimator* existing = lastCollisionAnimator(node)) node->removeAnimator(existing);
}

ScreenPoint PositionToScreen(float x, float y, float z) {
  irr::core::position2di p = tkEngine().sceneManager->getSceneCollisionManager()->getScreenCoordinatesFrom3DPosition(
      irr::core::vector3df(x, y, z), camera(), false);
  return {p.X, p.Y};
}

}  // namespace tk
