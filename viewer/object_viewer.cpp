#include "viewer/object_viewer.h"

#include <irrlicht.h>
#include <unistd.h>

#include "api/camera_commands.h"
#include "api/light_commands.h"
#include "api/object_commands.h"
#include "api/render_frame.h"
#include "base/files/file_layer.h"
#include "base/files/open_failure.h"
#include "base/log.h"
#include "base/timer.h"
#include "platform/input/event_receiver.h"
#include "platform/window/window.h"
#include "render/engine.h"

namespace tk {
namespace {

constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

struct ViewerCamera {
  float pitch = 0, yaw = 0;
  float distance = 0;
  bool dragging = false;
  int dragX = 0, dragY = 0;
  float wheel = 0;
};

// Mouse drag and arrows turn the object; true when the rotation changed.
bool updateRotation(ViewerCamera& view, const InputState& input) {
  bool changed = false;
  if (input.leftButton && !input.rightButton) {
    int x = mouseX(tkEngine().device), y = mouseY(tkEngine().device);
    if (view.dragging) {
      view.yaw -= (x - view.dragX) * 0.5f;
      view.pitch -= (y - view.dragY) * 0.5f;
      changed = x != view.dragX || y != view.dragY;
    }
    view.dragging = true;
    view.dragX = x;
    view.dragY = y;
  } else {
    view.dragging = false;
  }
  if (input.keyHeld(kLeft)) { view.yaw += 1; changed = true; }
  if (input.keyHeld(kRight)) { view.yaw -= 1; changed = true; }
  return changed;
}

// Wheel and up/down arrows move the camera; true when it moved.
bool updateDistance(ViewerCamera& view, const InputState& input, float radius) {
  bool changed = false;
  if (input.wheel != view.wheel) {
    view.distance += (input.wheel - view.wheel) * radius / 20;
    view.wheel = input.wheel;
    changed = true;
  }
  if (input.keyHeld(kUp)) { view.distance -= radius / 40; changed = true; }
  if (input.keyHeld(kDown)) { view.distance += radius / 40; changed = true; }
  return changed;
}

}  // namespace

int runObjectViewer(const char* fileName) {
  STkEngine& engine = tkEngine();
  LoadObject(fileName, 1);
  if (!ObjectExist(1)) {
    const std::string reason = fileExists(fileName) ? "no mesh loader can read it" : fileOpenFailureReason(fileName);
    logErrorCodeShown(kErrorNoArgument, "Failed to load object %s: %s\n", fileName, reason.c_str());
    return -1;
  }
  float radius = GetObjectRadius(1);
  if (radius == 0) radius = 20;
  MakeLight(1);
  SetDirectionalLight(1, 0, 0, 1);
  ColorBackdrop(0x113366);

  ViewerCamera view;
  view.distance = -1.5f * radius;
  RotateObject(1, 0, 0, 0);
  PositionCamera(0, 0, view.distance);
  InputState& input = inputState();
  view.wheel = input.wheel;
  int32_t start = timerMilliseconds();
  int frames = TotalObjectFrames(1);

  while (engine.device->run() && !input.escapeEverPressed()) {
    if (updateRotation(view, input)) RotateObject(1, view.pitch, view.yaw, 0);
    if (updateDistance(view, input, radius)) PositionCamera(0, 0, view.distance);
    if (frames >= 2) {
      int32_t loopMs = frames * 1000 / 30;
      int32_t elapsed = (timerMilliseconds() - start) % loopMs;
      SetObjectFrame(1, elapsed * 30.0f / 1000.0f);
    }
    renderFrame();
    if (!windowActive(engine.device)) usleep(20000);
  }
  DeleteObject(1);
  return 0;
}

}  // namespace tk
