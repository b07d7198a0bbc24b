#include "startup/engine_commands.h"

#include "api/camera_commands.h"
#include "api/joystick_commands.h"
#include "api/light_commands.h"
#include "api/render_frame.h"
#include "base/log.h"
#include "base/timer.h"
#include "platform/screenshot/screenshot.h"
#include "platform/ui/display_dialog.h"
#include "platform/ui/file_requester.h"
#include "platform/window/window.h"
#include "render/engine.h"
#include "render/renderer_start.h"
#include "startup/sys_setup.h"

namespace tk {
namespace {

bool g_renderedTexturesExist = false;

irr::IrrlichtDevice* device() { return tkEngine().device; }

void makeDefaultScene() {
  PositionCamera(0, 0, -5);
  MakeLight(0);
  SetDirectionalLight(0, 0, 0, 0);
  ColorAmbientLight(0x050505);
  ColorBackdrop(0x001122);
}

}  // namespace

int Setup(int width, int height, int colorBits, int windowed) {
  SysSetup setup;  // no base directory, camera range 0.1 to 1000, the rest unset
  setup.width = width;
  setup.height = height;
  setup.colorBits = colorBits;
  setup.windowed = windowed;
  setup.stereo = 0;
  if (tkSysSetup(setup) != 0) return -1;
  makeDefaultScene();
  return 0;
}

void Term() { tkSysShutdown(); }
bool IsSetup() { return tkEngineSetUp(); }
bool Run() {
  if (!device() || !device()->run()) return false;
  pollJoysticks();
  return true;
}
void Sync() { renderFrame(); }

// Every frame the engine begins is ended within the same renderFrame call, so
// between two commands no frame is ever open.
void RenderDummy() { log(LOG_WARN, "endRendering called while not in Rendering"); }

void RenderSetDebug(int value) {
  if (ITkRendererCtx* context = rendering().context) context->getFrameSettings().debugView = value;
}

void HasPrecalcRenderTargets(bool) { g_renderedTexturesExist = true; }
bool renderedTexturesExist() { return g_renderedTexturesExist; }

int ScreenShot(const char* fileName) { return takeScreenShot(tkEngine().driver, fileName); }

bool ScreenModeDialog() {
  DisplayRecord chosen;
  return runDisplayDialog(&chosen);
}

int ScreenModeOption(const char* name) { return screenModeOption(name); }
void HideWindow() { hideWindow(device()); }
void ShowWindow() { showWindow(device()); }
void MaximizeWindow() { maximizeWindow(device()); }
void MinimizeWindow() { minimizeWindow(device()); }
void RestoreWindow() { restoreWindow(device()); }
bool IsWindowActive() { return windowActive(device()); }
bool WindowMode() { return device() && device()->isFullscreen(); }

int ScreenWidth() {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  return driver ? static_cast<int>(driver->getScreenSize().Width) : 0;
}

int ScreenHeight() {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  return driver ? static_cast<int>(driver->getScreenSize().Height) : 0;
}

int ScreenDepth() {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  return driver ? colorFormatDepth(driver->getColorFormat()) : 0;
}

int Timer() { return timerMilliseconds(); }

void Sleep(int milliseconds) {
  if (device()) device()->sleep(milliseconds > 0 ? static_cast<irr::u32>(milliseconds) : 0);
}

std::string FileRequester(const char* title) { return runFileRequester(tkEngine().device, title ? title : "Open", {}); }

void MessageBox(const char* text) { messageBox("%s", text); }

}  // namespace tk
