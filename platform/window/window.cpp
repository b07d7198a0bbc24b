#include "platform/window/window.h"

#include <X11/Xlib.h>

#include "platform/input/event_receiver.h"

namespace tk {

WindowHandle windowOf(irr::IrrlichtDevice* device) {
  WindowHandle handle;
  if (!device || !device->getVideoDriver()) return handle;
  if (device->getVideoDriver()->getDriverType() != irr::video::EDT_OPENGL) return handle;
  const irr::video::SExposedVideoData& data = device->getVideoDriver()->getExposedVideoData();
  handle.display = data.OpenGLLinux.X11Display;
  handle.window = data.OpenGLLinux.X11Window;
  return handle;
}

void hideWindow(irr::IrrlichtDevice* device) {
  WindowHandle w = windowOf(device);
  if (!w.valid()) return;
  XUnmapWindow(static_cast<Display*>(w.display), w.window);
  XFlush(static_cast<Display*>(w.display));
}

void showWindow(irr::IrrlichtDevice* device) {
  WindowHandle w = windowOf(device);
  if (!w.valid()) return;
  XMapRaised(static_cast<Display*>(w.display), w.window);
  XFlush(static_cast<Display*>(w.display));
}

void restoreWindow(irr::IrrlichtDevice* device) {
  if (windowOf(device).valid()) device->restoreWindow();
}

void maximizeWindow(irr::IrrlichtDevice* device) {
  if (windowOf(device).valid()) device->maximizeWindow();
}

void minimizeWindow(irr::IrrlichtDevice* device) {
  if (windowOf(device).valid()) device->minimizeWindow();
}

bool windowActive(irr::IrrlichtDevice* device) { return windowOf(device).valid() && device->isWindowActive(); }

bool windowMinimized(irr::IrrlichtDevice* device) {
  return windowOf(device).valid() && device->isWindowMinimized();
}

void moveWindow(irr::IrrlichtDevice* device, int x, int y) {
  WindowHandle w = windowOf(device);
  if (!w.valid()) return;
  XMoveWindow(static_cast<Display*>(w.display), w.window, x, y);
  XFlush(static_cast<Display*>(w.display));
}

void setCursorVisible(irr::IrrlichtDevice* device, bool visible) {
  if (device && device->getCursorControl()) device->getCursorControl()->setVisible(visible);
}

bool queryCursorPosition(irr::IrrlichtDevice* device, int* x, int* y) {
  WindowHandle w = windowOf(device);
  if (!w.valid()) return false;
  Display* display = static_cast<Display*>(w.display);
  Window root, child;
  int rootX, rootY, winX, winY;
  unsigned int mask;
  if (!XQueryPointer(display, w.window, &root, &child, &rootX, &rootY, &winX, &winY, &mask)) return false;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, w.window, &attributes)) return false;
  auto clamp = [](int value, int size) { return value < 0 ? -1 : (value >= size ? size + 1 : value); };
  *x = clamp(winX, attributes.width);
  *y = clamp(winY, attributes.height);
  return true;
}

int mouseX(irr::IrrlichtDevice* device) {
  int x, y;
  if (queryCursorPosition(device, &x, &y)) return x;
  return inputState().mouseX;
}

int mouseY(irr::IrrlichtDevice* device) {
  int x, y;
  if (queryCursorPosition(device, &x, &y)) return y;
  return inputState().mouseY;
}

int colorFormatDepth(irr::video::ECOLOR_FORMAT format) {
  switch (format) {
    case irr::video::ECF_A1R5G5B5:
    case irr::video::ECF_R5G6B5:
    case irr::video::ECF_R16F: return 16;
    case irr::video::ECF_R8G8B8: return 24;
    case irr::video::ECF_A16B16G16R16F:
    case irr::video::ECF_G32R32F: return 64;
    default: return 32;
  }
}

}  // namespace tk
