#include "app/object_viewer.h"

#include <irrlicht.h>
#include <unistd.h>

#include "app/engine.h"
#include "app/files/file_layer.h"
#include "app/input/event_receiver.h"
#include "app/log.h"
#include "app/render_frame.h"
#include "app/timer.h"
#include "app/window/window.h"

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

// Half the bounding box diagonal: enough to frame the mesh.
float meshRadius(irr::scene::IAnimatedMesh* mesh) {
  return mesh->getBoundingBox().getExtent().getLength() * 0.5f;
}

// Mouse drag and arrows turn the object; true when the rotation changed.
bool updateRotation(ViewerCamera& view, const InputState& input) {
  bool changed = false;
  if (input.leftButton && !input.rightButton) {
    int x = mouseX(), y = mouseY();
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
  std::string path = engine.device->getFileSystem()->getAbsolutePath(resolveFile(fileName).c_str()).c_str();
  irr::scene::IAnimatedMesh* mesh = engine.sceneManager->getMesh(path.c_str());
  irr::scene::IAnimatedMeshSceneNode* node = mesh ? engine.sceneManager->addAnimatedMeshSceneNode(mesh) : nullptr;
  if (!node) {
    logErrorCodeShown(-1, "Failed to load object %s\n", fileName);
    return -1;
  }
  float radius = meshRadius(mesh);
  if (radius == 0) radius = 20;

  irr::scene::ILightSceneNode* light = engine.sceneManager->addLightSceneNode();
  light->setLightType(irr::video::ELT_DIRECTIONAL);
  light->setRotation(irr::core::vector3df(0, 0, 1));
  engine.clearColor = irr::video::SColor(255, 0x11, 0x33, 0x66);

  ViewerCamera view;
  view.distance = -1.5f * radius;
  node->setRotation(irr::core::vector3df(0, 0, 0));
  engine.camera->setPosition(irr::core::vector3df(0, 0, view.distance));
  InputState& input = inputState();
  view.wheel = input.wheel;
  int32_t start = timerMilliseconds();
  int frames = static_cast<int>(mesh->getFrameCount());
  node->setAnimationSpeed(0);

  while (engine.device->run() && !input.escapeEverPressed()) {
    if (updateRotation(view, input)) node->setRotation(irr::core::vector3df(view.pitch, view.yaw, 0));
    if (updateDistance(view, input, radius)) engine.camera->setPosition(irr::core::vector3df(0, 0, view.distance));
    if (frames >= 2) {
      int32_t loopMs = frames * 1000 / 30;
      int32_t elapsed = (timerMilliseconds() - start) % loopMs;
      node->setCurrentFrame(elapsed * 30.0f / 1000.0f);
    }
    renderFrame();
    if (!windowActive(engine.device)) usleep(20000);
  }
  node->remove();
  light->remove();
  return 0;
}

}  // namespace tk
