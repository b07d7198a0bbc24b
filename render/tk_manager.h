#pragma once
// The engine context: the one object through which the engine reaches its
// managers. One per process, created right after the display device.

#include <irrlicht.h>

#include <memory>

#include "effects/runtime/effect_manager.h"
#include "effects/runtime/effect_material.h"
#include "effects/runtime/effect_tech_lookup.h"
#include "effects/shaders/gpu_programming_services.h"
#include "platform/input/input_state.h"
#include "render/gl/effect_material_renderer.h"
#include "render/node_ext/light_shadow_settings.h"
#include "render/render_services.h"
#include "render/renderer_manager.h"
#include "render/tk_scene_manager.h"
#include "render/video_driver_ext.h"
#include "surfaces/surface_manager.h"

namespace tk {

// Keyboard, mouse and joystick state for the command layer, fed by the
// application's receiver once the context exists.
struct STkEventReceiver : public irr::IEventReceiver {
  bool OnEvent(const irr::SEvent&) override { return false; }
};

class CTkManager {
 public:
  explicit CTkManager(irr::IrrlichtDevice* device);
  ~CTkManager();
  bool ok() const { return ok_; }

  irr::IrrlichtDevice* getDevice() { return device_; }
  CTkGPUProgrammingServices* getGPUProgrammingServices() { return gpuServices_.get(); }
  CTkSceneManager* getSceneManager() { return sceneManager_.get(); }
  CTkSurfaceManager* getSurfaceManager() { return surfaceManager_.get(); }
  CTkRendererManager* getRendererManager() { return rendererManager_.get(); }
  STkEventReceiver* getEventReceiver() { return eventReceiver_.get(); }
  ITkVideoDriverExt* getVideoDriverExt() { return videoDriverExt_.get(); }
  CTkRenderServices* getRenderServices() { return renderServices_.get(); }
  CTkEffectTechLookup* getTechLookup() { return techLookup_; }
  CTkEffectManager* getEffectManager() { return effectManager_.get(); }
  CTkMaterialContexts* getMaterialContexts() { return &materialContexts_; }
  void onDeviceReset(int) {}

 private:
  irr::IrrlichtDevice* device_;
  CTkMaterialContexts materialContexts_;
  std::unique_ptr<CTkGLTextureBinder> textureBinder_;
  STkMaterialRendererShared rendererShared_;
  std::unique_ptr<STkEventReceiver> eventReceiver_;
  std::unique_ptr<CTkGPUProgrammingServices> gpuServices_;
  std::unique_ptr<CTkSceneManager> sceneManager_;
  std::unique_ptr<CTkLightShadowSettings> lightShadowSettings_;
  std::unique_ptr<CTkSurfaceManager> surfaceManager_;
  std::unique_ptr<CTkRendererManager> rendererManager_;
  std::unique_ptr<ITkVideoDriverExt> videoDriverExt_;
  std::unique_ptr<CTkRenderServices> renderServices_;
  CTkEffectTechLookup* techLookup_ = nullptr;
  std::unique_ptr<CTkEffectManager> effectManager_;
  bool ok_ = false;
};

// Null when it cannot be made.
CTkManager* createTkManager(irr::IrrlichtDevice* device);

}  // namespace tk
