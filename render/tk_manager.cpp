#include "render/tk_manager.h"

#include "effects/binds/bind_environment.h"
#include "platform/input/event_receiver.h"
#include "render/gl/gl_texture_binder.h"
#include "render/gl/gl_video_driver_ext.h"

namespace tk {

// Managers are made in this order and destroyed in reverse. The shader
// services, video driver extension, render services, texture,
// effect and resource managers and the HDR image loader take their places in
// this sequence as they are built:
//   1 device, 2 event receiver, 3 GPU programming services, 4 scene manager,
//   5 surface manager, 6 renderer manager, 7 video driver extension,
//   8 technique lookup, 9 render services, 10 texture manager,
//   11 effect manager, 12 resource manager, 13 HDR image loader.
CTkManager::CTkManager(irr::IrrlichtDevice* device) : device_(device) {
  device_->grab();
  irr::video::IVideoDriver* driver = device_->getVideoDriver();
  const bool openGL = driver->getDriverType() == irr::video::EDT_OPENGL;
  eventReceiver_ = std::make_unique<STkEventReceiver>();
  rendererShared_.contexts = &materialContexts_;
  if (openGL) {
    textureBinder_ = std::make_unique<CTkGLTextureBinder>();
    rendererShared_.textures = textureBinder_.get();
    gpuServices_ =
        std::make_unique<CTkGPUProgrammingServices>(driver, makeEffectMaterialFactory(driver, &rendererShared_));
  } else {
    gpuServices_ = std::make_unique<CTkGPUProgrammingServices>(driver);
  }
  sceneManager_ = std::make_unique<CTkSceneManager>(&materialContexts_,
                                                    device_->getSceneManager()->getMeshManipulator());
  surfaceManager_ = std::make_unique<CTkSurfaceManager>();
  rendererManager_ = std::make_unique<CTkRendererManager>(device_, sceneManager_.get());
  if (openGL)
    videoDriverExt_ = std::make_unique<CTkGLVideoDriverExt>(driver);
  else
    videoDriverExt_ = std::make_unique<CTkNullVideoDriverExt>();
  rendererShared_.extension = videoDriverExt_.get();
  sceneManager_->setVideoDriverExt(videoDriverExt_.get());
  techLookup_ = new CTkEffectTechLookup();
  STkRenderServicesSetup servicesSetup;
  servicesSetup.device = device_;
  servicesSetup.shaders = gpuServices_.get();
  servicesSetup.contexts = &materialContexts_;
  servicesSetup.videoDriverExt = videoDriverExt_.get();
  servicesSetup.techLookup = techLookup_;
  servicesSetup.sceneManager = sceneManager_.get();
  servicesSetup.nodeExtensions = sceneManager_.get();
  bool servicesMade = false;
  renderServices_ = std::make_unique<CTkRenderServices>(servicesSetup, &servicesMade);
  if (!servicesMade) return;
  STkBindEnvironment environment;
  environment.device = device_;
  environment.sceneManager = sceneManager_.get();
  environment.videoDriverExt = videoDriverExt_.get();
  environment.lastFrame = rendererManager_->getLastFrameInfo();
  environment.input = &inputState();
  environment.nodeExtensions = sceneManager_.get();
  lightShadowSettings_ = std::make_unique<CTkLightShadowSettings>(device_->getSceneManager());
  environment.shadowSettings = lightShadowSettings_.get();
  effectManager_ = std::make_unique<CTkEffectManager>(device_, gpuServices_.get(), techLookup_, &materialContexts_,
                                                      &environment);
  ok_ = true;
}

CTkManager::~CTkManager() {
  // Nodes may outlive the context: their extensions let go of effects and
  // material context numbers while both still exist.
  sceneManager_->releaseNodeExtensions();
  effectManager_.reset();
  renderServices_.reset();
  if (techLookup_) techLookup_->drop();
  videoDriverExt_.reset();
  rendererManager_.reset();
  surfaceManager_.reset();
  sceneManager_.reset();
  gpuServices_.reset();
  eventReceiver_.reset();
  textureBinder_.reset();
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
