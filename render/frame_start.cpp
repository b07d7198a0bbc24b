#include "render/frame_start.h"

#include "render/last_frame_info.h"
#include "render/renderer_ctx_adv.h"

namespace tk {
namespace {

constexpr float kCutDistance = 1.0f;
constexpr float kCutDegrees = 20.0f;

// What the display library's light node computes when it registers itself for
// a frame (which a walk of our own does not do): the direction of spot and
// distant lights from the node's turn, the position of point and spot lights
// from its place. Without it a light keeps the data of its last registration.
void refreshLightData(irr::scene::ILightSceneNode* light) {
  irr::video::SLight& data = light->getLightData();
  if (data.Type == irr::video::ELT_SPOT || data.Type == irr::video::ELT_DIRECTIONAL) {
    data.Direction = irr::core::vector3df(0, 0, 1);
    light->getAbsoluteTransformation().rotateVect(data.Direction);
    data.Direction.normalize();
  }
  if (data.Type == irr::video::ELT_SPOT || data.Type == irr::video::ELT_POINT) data.Position = light->getAbsolutePosition();
}

}  // namespace

// The registration lists of the display library are private, so the services
// rebuild them with one walk.
void CTkFrameLists::startFrame(irr::IrrlichtDevice* device, const CTkRenderServices& services) {
  irr::scene::ISceneManager* scene = device->getSceneManager();
  scene->getRootSceneNode()->OnAnimate(device->getTimer()->getTime());
  if (irr::scene::ICameraSceneNode* camera = scene->getActiveCamera()) camera->render();
  services.collectFrameLists(&nodes_);
  services.filterShadowCasters(nodes_.visible, &shadowCasters_);
  lights_.clear();
  irr::video::IVideoDriver* driver = device->getVideoDriver();
  driver->deleteAllDynamicLights();
  for (irr::scene::ISceneNode* node : nodes_.lights) {
    if (node->getType() == irr::scene::ESNT_LIGHT) {
      auto* light = static_cast<irr::scene::ILightSceneNode*>(node);
      refreshLightData(light);
      lights_.push_back(light);
    }
    node->render();
  }
}

bool frameIsCameraCut(const ITkLastFrameInfo* lastFrame, const irr::core::matrix4& view, bool toScreen) {
  return toScreen && lastFrame && lastFrame->isCameraCut(view, kCutDistance, kCutDegrees);
}

void jitterProjection(CTkRendererCtxAdv* context, irr::video::IVideoDriver* driver, EJitterCounter counter,
                      const irr::core::matrix4& projection) {
  const int setting = context->getRenderSettings().antialias[kAntialiasJitter];
  if (setting == 0 || !context->antialias()) return;
  const irr::core::dimension2du screen = driver->getScreenSize();
  const irr::u32 frame = nextJitterFrame(counter);
  driver->setTransform(irr::video::ETS_PROJECTION,
                       jitteredProjection(projection, jitterMatrix(setting, frame, screen.Width, screen.Height)));
}

}  // namespace tk
