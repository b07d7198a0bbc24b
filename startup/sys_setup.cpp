#include "startup/sys_setup.h"

#include <cstdarg>
#include <cstdio>

#include "api/camera_commands.h"
#include "api/camera_effect_commands.h"
#include "api/draw_commands.h"
#include "api/draw_queue.h"
#include "api/fader_commands.h"
#include "api/image_commands.h"
#include "api/joystick_commands.h"
#include "api/light_commands.h"
#include "api/object_commands.h"
#include "api/renderer_commands.h"
#include "api/ride_camera_animator.h"
#include "base/files/file_layer.h"
#include "base/files/filesystem_mount.h"
#include "base/log.h"
#include "base/message_box.h"
#include "base/startup_record.h"
#include "effects/shaders/shader_reload.h"
#include "geometry/mesh_loading.h"
#include "music/music.h"
#include "platform/driver_choice.h"
#include "platform/input/event_receiver.h"
#include "platform/screenshot/frame_keeper.h"
#include "platform/screenshot/swap_probe.h"
#include "platform/shader_compiler_probe.h"
#include "platform/ui/gui_message_box.h"
#include "platform/window/screen_size.h"
#include "platform/window/window.h"
#include "platform/window/x_errors.h"
#include "render/engine.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"
#include "scene/scene_slots.h"
#include "startup/display_limits.h"

namespace tk {
namespace {

STkEngine g_engine;
bool g_engineSetUp = false;
char g_startupError[1024] = {};

void releaseEngineContext();

void setStartupError(const char* format, ...) __attribute__((format(printf, 1, 2)));
void setStartupError(const char* format, ...) {
  va_list args;
  va_start(args, format);
  vsnprintf(g_startupError, sizeof g_startupError, format, args);
  va_end(args);
}

// The device's log level follows the engine's log threshold.
irr::ELOG_LEVEL deviceLogLevel() {
  switch (logThreshold()) {
    case LOG_DEBUG: return irr::ELL_DEBUG;
    case LOG_INFO: return irr::ELL_INFORMATION;
    case LOG_WARN: return irr::ELL_WARNING;
    case LOG_ERROR: return irr::ELL_ERROR;
    default: return irr::ELL_NONE;
  }
}

struct DeviceValues {
  int width, height, colorBits;
  bool fullScreen, vsync, antialias, lightPrePass;
  int stereo;
};

DeviceValues deriveDeviceValues(const SysSetup& s) {
  DeviceValues v;
  v.width = s.width != -1 ? s.width : 640;
  v.height = s.height != -1 ? s.height : 480;
  v.colorBits = s.colorBits != -1 ? s.colorBits : 32;
  v.fullScreen = s.windowed == 0;
  v.vsync = s.vsync != 0;
  v.antialias = s.antialias != 0;
  v.lightPrePass = s.lightPrePass != 0;
  v.stereo = s.stereo != -1 ? s.stereo : 0;
  return v;
}

// The one place where sizes and depths from every source meet before a device
// is made: the window system and the GL driver fail on impossible ones inside
// their own code, some of them by crashing.
bool deviceValuesPossible(const DeviceValues& v, irr::video::E_DRIVER_TYPE driver) {
  ScreenSize screen;
  bool hasScreen = driver == irr::video::EDT_OPENGL && defaultScreenSize(&screen);
  std::string problem =
      displayValuesProblem(v.width, v.height, v.colorBits, v.fullScreen, hasScreen ? &screen : nullptr);
  if (problem.empty()) return true;
  setStartupError("%s", problem.c_str());
  return false;
}

bool createDevice(const SysSetup& s, const DeviceValues& v, irr::video::E_DRIVER_TYPE driver) {
  irr::SIrrlichtCreationParameters p;
  p.DriverType = driver;
  p.WindowSize = irr::core::dimension2du(v.width, v.height);
  p.Bits = static_cast<irr::u8>(v.colorBits);
  p.Fullscreen = v.fullScreen;
  p.Stencilbuffer = true;
  p.Vsync = v.vsync;
  p.AntiAlias = (v.antialias && !v.lightPrePass) ? 4 : 0;
  p.Doublebuffer = true;
  p.UsePerformanceTimer = true;
  p.EventReceiver = &eventReceiver();
  p.LoggingLevel = deviceLogLevel();
  if (p.DriverType == irr::video::EDT_OPENGL) installXErrorLogger();
  g_engine.device = irr::createDeviceEx(p);
  if (!g_engine.device) {
    setStartupError("fails to createDevice");
    return false;
  }
  g_engine.width = v.width;
  g_engine.height = v.height;
  g_engine.colorBits = v.colorBits;
  g_engine.antialias = v.antialias;
  g_engine.stereo = v.stereo;
  g_engine.lightPrePass = v.lightPrePass;
  g_engine.device->setWindowCaption(L"Tesk");
  if (s.windowX != -1 || s.windowY != -1) moveWindow(g_engine.device, s.windowX, s.windowY);
  return true;
}

bool attachDeviceServices() {
  g_engine.driver = g_engine.device->getVideoDriver();
  if (!g_engine.driver) {
    setStartupError("fails to getVideoDriver");
    return false;
  }
  mountFileSystemOnDevice(g_engine.device);
  g_engine.driver->setTextureCreationFlag(irr::video::ETCF_ALWAYS_32_BIT, true);
  g_engine.sceneManager = g_engine.device->getSceneManager();
  if (!g_engine.sceneManager) {
    setStartupError("fails to getSceneManager");
    return false;
  }
  g_engine.gui = g_engine.device->getGUIEnvironment();
  if (!g_engine.gui) {
    setStartupError("fails to getGUIEnvironment");
    return false;
  }
  // Where the swap keeps the back buffer, frames are kept for screenshots without a copy.
  frameKeeper().setBackBufferSurvivesSwap(backBufferSurvivesSwap(g_engine.driver));
  return true;
}

bool createDefaultCamera() {
  g_engine.camera = g_engine.sceneManager->addCameraSceneNode(nullptr, irr::core::vector3df(0, 0, 0),
                                                              irr::core::vector3df(0, 0, 100), -1, true);
  if (!g_engine.camera) {
    setStartupError("fails to create camera");
    return false;
  }
  // Nodes attached to the camera follow where it looks, not only where it stands.
  g_engine.camera->bindTargetAndRotation(true);
  g_engine.rideAnimator = new CTkSceneNodeAnimatorCamera(g_engine.device);
  g_engine.camera->addAnimator(g_engine.rideAnimator);
  return true;
}

void prepareSceneManager() {
  // Extra mesh loaders are registered here as they are added.
  registerMeshLoaders(g_engine.sceneManager);
  g_engine.sceneManager->getParameters()->setAttribute(irr::scene::ALLOW_ZWRITE_ON_TRANSPARENT, true);
  // Draws queued before the engine ran (or by an engine before it) never show.
  drawQueue().clear();
  resetDrawState();
}

bool initialiseEngine() {
  if (const char* missing = missingShaderCompilerLibrary()) {
    setStartupError("Missing %s. Please install this library.", missing);
    return false;
  }
  __builtin_cpu_init();
  if (!__builtin_cpu_supports("sse")) setStartupError("CPU does not support SSE\n");
  g_engine.manager = createTkManager(g_engine.device);
  if (!g_engine.manager) {
    setStartupError("fails to createTkManager");
    return false;
  }
  // Packed programs only read the cache they carry; loose ones also check dates and write.
  unsigned cacheMode = runningPacked() ? kShaderCacheRead : kShaderCacheRead | kShaderCacheCheckDates | kShaderCacheWrite;
  g_engine.manager->getGPUProgrammingServices()->setShaderCache(baseDirectory() + "shadersCache", cacheMode);
  CTkEffectManager* effects = g_engine.manager->getEffectManager();
  connectShaderHotReload(g_engine.manager->getGPUProgrammingServices(),
                         [effects](const std::vector<int>& updated) { effects->refreshConstants(updated); });
  effects->addTextureDirectory(baseDirectory() + "textures");
  // The device-reset hook is set here by the subsystem that provides it.
  if (!startRenderer(g_engine.manager, g_engine.lightPrePass, g_engine.antialias)) {
    setStartupError("fails to init render");
    releaseEngineContext();
    return false;
  }
  // The cube-map filter effects and the curl-noise volume follow here.
  return true;
}

void releaseEngineContext() {
  connectShaderHotReload(nullptr);
  stopRenderer();
  eventReceiver().setChained(nullptr);
  delete g_engine.manager;
  g_engine.manager = nullptr;
}

template <typename Item>
bool makeTable(IdTable<Item>*& table, const char* failure) {
  table = IdTable<Item>::make(1000);
  if (!table) setStartupError("%s", failure);
  return table != nullptr;
}

void freeIdTables() {
  IdTable<CTkImageItem>::free(g_engine.images);
  IdTable<CTkObjectItem>::free(g_engine.objects);
  IdTable<CTkLightItem>::free(g_engine.lights);
  IdTable<CTkFxEmitterItem>::free(g_engine.fxEmitters);
  IdTable<CTkCameraShaderItem>::free(g_engine.cameraShaders);
  IdTable<CTkEffectItem>::free(g_engine.effects);
  IdTable<CTkCubeMapItem>::free(g_engine.cubeMaps);
  IdTable<CTkRendererItem>::free(g_engine.renderers);
  g_engine.images = nullptr;
  g_engine.objects = nullptr;
  g_engine.lights = nullptr;
  g_engine.fxEmitters = nullptr;
  g_engine.cameraShaders = nullptr;
  g_engine.effects = nullptr;
  g_engine.cubeMaps = nullptr;
  g_engine.renderers = nullptr;
}

bool makeIdTables() {
  bool made = makeTable(g_engine.images, "fails to create image list") &&
              makeTable(g_engine.objects, "fails to create object list") &&
              makeTable(g_engine.lights, "fails to create light list") &&
              makeTable(g_engine.fxEmitters, "fails to create fxemitter list") &&
              makeTable(g_engine.cameraShaders, "fails to create camera shader list") &&
              makeTable(g_engine.effects, "fails to create effect list") &&
              makeTable(g_engine.cubeMaps, "fails to create cubemap list") &&
              makeTable(g_engine.renderers, "fails to create renderer list");
  if (!made) freeIdTables();
  return made;
}

void releaseDevice() {
  setMessageBoxHost(nullptr);
  eventReceiver().setAccepting(false);
  if (g_engine.device) {
    // GL objects die with the context: forget them while it still exists.
    if (windowOf(g_engine.device).valid()) frameKeeper().release();
    unmountFileSystem();
    g_engine.device->closeDevice();
    g_engine.device->run();
    g_engine.device->drop();
  }
  g_engine.device = nullptr;
  g_engine.driver = nullptr;
  g_engine.sceneManager = nullptr;
  g_engine.gui = nullptr;
  g_engine.camera = nullptr;
  if (g_engine.rideAnimator) g_engine.rideAnimator->drop();
  g_engine.rideAnimator = nullptr;
}

int failSetup() {
  releaseDevice();
  freeIdTables();
  g_engine = STkEngine();
  logErrorCodeShown(kErrorNoArgument, "Setup failed: %s", g_startupError);
  return -1;
}

}  // namespace

STkEngine& tkEngine() { return g_engine; }
bool tkEngineSetUp() { return g_engineSetUp; }
const char* startupErrorText() { return g_startupError; }

int tkSysSetup(const SysSetup& setup) {
  if (g_engineSetUp) tkSysShutdown();
  g_startupError[0] = 0;
  if (setup.hasBaseDirectory) setBaseDirectory(setup.baseDirectory.c_str());
  DeviceValues values = deriveDeviceValues(setup);
  irr::video::E_DRIVER_TYPE driver = chooseVideoDriver();
  if (!deviceValuesPossible(values, driver)) return failSetup();
  if (!createDevice(setup, values, driver)) return failSetup();
  if (!attachDeviceServices()) return failSetup();
  if (!createDefaultCamera()) return failSetup();
  prepareSceneManager();
  if (!initialiseEngine()) return failSetup();
  if (!makeIdTables()) {
    releaseEngineContext();
    return failSetup();
  }
  g_engine.initialised = true;
  eventReceiver().setAccepting(true);
  eventReceiver().setChained(g_engine.manager->getEventReceiver());
  installGuiMessageBoxHost(g_engine.device);

  g_engine.clearColor = irr::video::SColor(0xFF000000);
  if (setup.hideMouse != -1 && setup.hideMouse != 0) setCursorVisible(g_engine.device, false);
  SetCameraRange(setup.cameraNear, setup.cameraFar);
  if (musicStartup() != 0) log(LOG_ERROR, "Failed to setup music replay");
  g_engineSetUp = true;
  return 0;
}

void tkSysShutdown() {
  if (!g_engineSetUp && !g_engine.device) return;
  endFolderWatches();  // the viewer and the demo player watch the shader folders while they run
  musicShutdown();
  StopFade();
  DisableJoystick();
  drawQueue().clear();
  resetDrawState();
  releaseImages();
  deleteAllScenes();
  deleteAllRenderers();
  deleteAllObjects();
  deleteAllLights();
  deleteAllEffectItems();
  releaseEngineContext();
  releaseDevice();
  freeIdTables();
  g_engine = STkEngine();
  g_engineSetUp = false;
}

}  // namespace tk
