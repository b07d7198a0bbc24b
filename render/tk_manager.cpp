#include "render/tk_manager.h"

#include "render/gl/gl_video_driver_ext.h"

namespace tk {

// Managers are made in this order and destroyed in reverse. The shader
// services, surface manager, video driver extension, render services, texture,
// effect and resource managers and the HDR image loader take their places in
// this sequence as they are built:
//   1 device, 2 event receiver, 3 GPU programming services, 4 scene manager,
//   5 surface manager, 6 renderer manager, 7 video driver extension,
//   8 technique lookup, 9 render services, 10 texture manager,
//   11 effect manager, 12 resource manager, 13 HDR image loader.
CTkManager::CTkManager(irr::IrrlichtDevice* device) : device_(device) {
  device_->grab();
  eventReceiver_ = std::make_unique<STkEventReceiver>();
  gpuServices_ = std::make_unique<CTkGPUProgrammingServices>(device_->getVideoDriver());
  sceneManager_ = std::make_unique<CTkSceneManager>();
  rendererManager_ = std::make_unique<CTkRendererManager>(device_);
  if (device_->getVideoDriver()->getDriverType() == irr::video::EDT_OPENGL)
    videoDriverExt_ = std::make_unique<CTkGLVideoDriverExt>();
  else
    videoDriverExt_ = std::make_unique<CTkNullVideoDriverExt>();
  techLookup_ = new CTkEffectTechLookup();
  renderServices_ = std::make_unique<CTkRenderServices>(device_);
  ok_ = true;
}

CTkManager::~CTkManager() {
  renderServices_.reset();
  if (techLookup_) techLookup_->drop();
  videoDriverExt_.reset();
  rendererManager_.reset();
  sceneManager_.reset();
  gpuServices_.reset();
  eventReceiver_.reset();
  device_->drop();
}

CTkManager* createTkManager(irr::IrrlichtDevice* device) {
  auto* manager = new CTkManager(device);
  if (!manager->ok()) {
    delete manager;
    return nullptr;
  }
  return manager;
}

}  // namespace tk
