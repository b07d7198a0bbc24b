#pragma once
// The engine context record: the device and what hangs off it, the display
// values the engine started with, and the ID tables of engine items.

#include <irrlicht.h>

#include "base/id_table.h"
#include "render/render_settings.h"

namespace tk {

class CTkManager;
class CTkSceneNodeAnimatorCamera;

// Camera values the renderers read.
struct STkCameraValues {
  float fovY = irr::core::PI / 2.5f;
  bool dofEnable = false;
  float dofFocalDistance = 0, dofFStop = 0;
  bool advancedDofEnable = false;
  float advancedDofMinFocus = 0, advancedDofMaxFocus = 0, advancedDofFocused = 0, advancedDofRadiusScale = 0;
  bool stereoEnable = false;
  float stereoSeparation = 0;
  bool stereoUseConvergence = false;
  float stereoConvergence = 0;
};

// Engine items addressed by ID; each is defined by the subsystem that makes it.
struct CTkImageItem;
struct CTkObjectItem;
struct CTkLightItem;
struct CTkFxEmitterItem;
struct CTkCameraShaderItem;
struct CTkEffectItem;
struct CTkCubeMapItem;
struct CTkRendererItem;

struct STkEngine {
  bool initialised = false;
  irr::IrrlichtDevice* device = nullptr;
  irr::video::IVideoDriver* driver = nullptr;
  irr::scene::ISceneManager* sceneManager = nullptr;
  irr::gui::IGUIEnvironment* gui = nullptr;
  irr::scene::ICameraSceneNode* camera = nullptr;
  CTkSceneNodeAnimatorCamera* rideAnimator = nullptr;
  STkCameraValues cameraValues;
  CTkManager* manager = nullptr;
  int width = 0;
  int height = 0;
  int colorBits = 0;
  bool antialias = false;
  int stereo = 0;
  bool lightPrePass = false;
  bool deviceLost = false;
  irr::video::SColor clearColor{0xFF000000};
  int colorSpaceViewer = 0;
  STkRenderSettings renderSettings;

  IdTable<CTkImageItem>* images = nullptr;
  IdTable<CTkObjectItem>* objects = nullptr;
  IdTable<CTkLightItem>* lights = nullptr;
  IdTable<CTkFxEmitterItem>* fxEmitters = nullptr;
  IdTable<CTkCameraShaderItem>* cameraShaders = nullptr;
  IdTable<CTkEffectItem>* effects = nullptr;
  IdTable<CTkCubeMapItem>* cubeMaps = nullptr;
  IdTable<CTkRendererItem>* renderers = nullptr;
};

// The one engine of the process.
STkEngine& tkEngine();
// True between a successful tkSysSetup and tkSysShutdown.
bool tkEngineSetUp();

}  // namespace tk
