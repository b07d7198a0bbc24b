#include "render/frame_start.h"

#include "render/last_frame_info.h"
#include "render/renderer_ctx_adv.h"

namespace tk {
namespace {

constexpr float kCutDistance = 1.0f;
constexpr float kCutDegrees = 20.0f;

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
    node->render();
    if (node->getType() == irr::scene::ESNT_LIGHT) lights_.push_back(static_cast<irr::scene::ILightSceneNode*>(node));
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
