#include "effects/binds/camera_bind.h"

#include <cmath>
#include <string>

#include "effects/binds/bind_helpers.h"

namespace tk {
namespace {

enum : int {
  kViewPosition,
  kFarCornersWorld,
  kFarCornersView,
  kNearValue,
  kFarValue,
  kFov,
  kFocalLength,
  kLineStartsEnds,
  kLineEnds,
};

const char* const kCameraSemantics[] = {
    "ViewPosition", "FrustrumFarCornersWorld", "FrustrumFarCorners", "ZNearValue", "ZFarValue", "Fov",
    "FocalLength",  "LineStartsEnds",          "LineEnds",
};

// Left-up, right-up, left-down, right-down.
void farCorners(const irr::scene::SViewFrustum& frustum, irr::core::vector3df corners[4]) {
  corners[0] = frustum.getFarLeftUp();
  corners[1] = frustum.getFarRightUp();
  corners[2] = frustum.getFarLeftDown();
  corners[3] = frustum.getFarRightDown();
}

void uploadCorners(irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant,
                   const irr::core::vector3df corners[4]) {
  float values[12];
  for (int i = 0; i < 4; ++i) {
    values[i * 3] = corners[i].X;
    values[i * 3 + 1] = corners[i].Y;
    values[i * 3 + 2] = corners[i].Z;
  }
  uploadByName(services, constant, values, 12);
}

// Rays from the camera through the viewport's upper-left, upper-right,
// lower-left and lower-right corners.
void cornerRays(irr::IrrlichtDevice* device, irr::scene::ICameraSceneNode* camera, irr::core::line3df rays[4]) {
  const irr::core::rect<irr::s32>& viewport = device->getVideoDriver()->getViewPort();
  const irr::s32 width = viewport.getWidth(), height = viewport.getHeight();
  const irr::core::position2di corners[4] = {{0, 0}, {width, 0}, {0, height}, {width, height}};
  irr::scene::ISceneCollisionManager* collisions = device->getSceneManager()->getSceneCollisionManager();
  for (int i = 0; i < 4; ++i) rays[i] = collisions->getRayFromScreenCoordinates(corners[i], camera);
}

void uploadLineStartsEnds(irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant,
                          const irr::core::line3df rays[4]) {
  for (int i = 0; i < 4; ++i) {
    const float start[3] = {rays[i].start.X, rays[i].start.Y, rays[i].start.Z};
    const float end[3] = {rays[i].end.X, rays[i].end.Y, rays[i].end.Z};
    const std::string starts = constant.name + ".LineStarts" + std::to_string(i);
    const std::string ends = constant.name + ".LineEnds" + std::to_string(i);
    uploadMemberByName(services, constant.stage, starts.c_str(), start, 3);
    uploadMemberByName(services, constant.stage, ends.c_str(), end, 3);
  }
}

}  // namespace

STkBindResult CTkEffectBindCamera::getBindFunction(const STkFxConstBind& constant, int privateData[2]) {
  for (int row = 0; row <= kLineEnds; ++row) {
    if (constant.semantic != kCameraSemantics[row]) continue;
    privateData[0] = row;
    return bindAnswer(upload);
  }
  return STkBindResult();
}

// Without an active camera the constants keep their values.
void CTkEffectBindCamera::upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                 const STkFxConstBind& constant, const int privateData[2]) {
  irr::IrrlichtDevice* device = static_cast<CTkEffectBindCamera*>(bind)->environment_.device;
  irr::scene::ICameraSceneNode* camera = device ? device->getSceneManager()->getActiveCamera() : nullptr;
  if (!camera) return;
  switch (privateData[0]) {
    case kViewPosition: uploadPoint(services, constant, camera->getAbsolutePosition(), 1); break;
    case kFarCornersWorld:
    case kFarCornersView: {
      irr::core::vector3df corners[4];
      farCorners(*camera->getViewFrustum(), corners);
      if (privateData[0] == kFarCornersView) {
        const irr::core::matrix4& view = device->getVideoDriver()->getTransform(irr::video::ETS_VIEW);
        for (irr::core::vector3df& corner : corners) view.transformVect(corner);
      }
      uploadCorners(services, constant, corners);
      break;
    }
    case kNearValue: uploadScalar(services, constant, camera->getNearValue()); break;
    case kFarValue: uploadScalar(services, constant, camera->getFarValue()); break;
    case kFov: uploadScalar(services, constant, camera->getFOV()); break;
    case kFocalLength: uploadScalar(services, constant, 0.015f * 0.5f / std::tan(camera->getFOV() / 2.0f)); break;
    default: {
      irr::core::line3df rays[4];
      cornerRays(device, camera, rays);
      if (privateData[0] == kLineStartsEnds) {
        uploadLineStartsEnds(services, constant, rays);
      } else {
        const irr::core::vector3df ends[4] = {rays[0].end, rays[1].end, rays[2].end, rays[3].end};
        uploadCorners(services, constant, ends);
      }
      break;
    }
  }
}

}  // namespace tk
