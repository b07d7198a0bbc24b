#include "effects/binds/shadow_camera.h"

#include <initializer_list>

namespace tk {
namespace {

constexpr float kShadowNear = 0.01f;
constexpr float kShadowFar = 5000.0f;
// The perspective's field of view stays inside these degrees: at 180 and
// beyond (an outer cone of 90 degrees and wider) or at 0 the projection has
// no finite scale.
constexpr float kSmallestFieldOfView = 1.0f;
constexpr float kWidestFieldOfView = 170.0f;

float fieldOfViewOf(float outerCone) {
  const float degrees = 2.0f * outerCone;
  if (!(degrees > kSmallestFieldOfView)) return kSmallestFieldOfView;
  return degrees < kWidestFieldOfView ? degrees : kWidestFieldOfView;
}

// Looking straight along (0, ±1, 0) (or wherever x and z cancel out) the
// usual up vector would be degenerate.
irr::core::vector3df upVectorFor(const irr::core::vector3df& position, const irr::core::vector3df& target) {
  const irr::core::vector3df away = position - target;
  return away.X + away.Z == 0 ? irr::core::vector3df(0, 0, 1) : irr::core::vector3df(0, 1, 0);
}

irr::core::vector3df distantPosition(const irr::scene::ILightSceneNode* light, const irr::core::vector3df& direction,
                                     const STkShadowCameraSettings& settings) {
  irr::core::vector3df position = light->getAbsolutePosition();
  if (const irr::scene::ICameraSceneNode* camera = settings.followCamera) {
    const irr::core::vector3df eye = camera->getAbsolutePosition();
    irr::core::vector3df ahead = camera->getTarget() - eye;
    ahead.Y = 0;
    ahead.normalize();
    position = irr::core::vector3df(eye.X, 0, eye.Z) + ahead * (settings.distantWidth * 0.5f);
  }
  return position - direction * settings.distantOffset;
}

}  // namespace

irr::core::vector3df shadowLightDirection(const irr::scene::ILightSceneNode* light) {
  irr::core::vector3df direction(0, 0, 1);
  light->getAbsoluteTransformation().rotateVect(direction);
  return direction.normalize();
}

// The eight corners of the clip volume (depth 0 to 1, as the display
// library's projections map it) taken back into the world.
irr::core::aabbox3df shadowFrustumBox(const STkShadowCamera& camera) {
  irr::core::matrix4 toWorld;
  if (!(camera.projection * camera.view).getInverse(toWorld)) return irr::core::aabbox3df(camera.position);
  irr::core::aabbox3df box(camera.position);
  for (float x : {-1.0f, 1.0f})
    for (float y : {-1.0f, 1.0f})
      for (float z : {0.0f, 1.0f}) {
        float corner[4];
        toWorld.transformVect(corner, irr::core::vector3df(x, y, z));
        if (corner[3] != 0) box.addInternalPoint(corner[0] / corner[3], corner[1] / corner[3], corner[2] / corner[3]);
      }
  return box;
}

STkShadowCamera shadowCameraOf(const irr::scene::ILightSceneNode* light, const STkShadowCameraSettings& settings) {
  STkShadowCamera camera;
  const irr::video::SLight& data = light->getLightData();
  camera.direction = shadowLightDirection(light);
  camera.nearValue = kShadowNear;
  if (data.Type == irr::video::ELT_DIRECTIONAL) {
    camera.position = distantPosition(light, camera.direction, settings);
    camera.projection.buildProjectionMatrixOrthoLH(settings.distantWidth, settings.distantHeight, kShadowNear,
                                                   kShadowFar);
    camera.farValue = 1;
  } else {
    camera.position = light->getAbsolutePosition();
    camera.farValue = kShadowFar;
    if (data.Type == irr::video::ELT_SPOT && data.Radius > kShadowNear && data.Radius < kShadowFar)
      camera.farValue = data.Radius;
    camera.projection.buildProjectionMatrixPerspectiveFovLH(fieldOfViewOf(data.OuterCone) * irr::core::DEGTORAD,
                                                            1.0f, kShadowNear, camera.farValue);
  }
  const irr::core::vector3df target = camera.position + camera.direction;
  camera.view.buildCameraLookAtMatrixLH(camera.position, target, upVectorFor(camera.position, target));
  return camera;
}

}  // namespace tk
