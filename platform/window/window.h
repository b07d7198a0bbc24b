#pragma once
// Window operations of the engine's device on X11. Every operation does nothing
// (or answers false) when the device has no window, as under the null driver.

#include <irrlicht.h>

namespace tk {

struct WindowHandle {
  void* display = nullptr;  // X11 Display*
  unsigned long window = 0;
  bool valid() const { return display && window; }
};

WindowHandle windowOf(irr::IrrlichtDevice* device);

void hideWindow(irr::IrrlichtDevice* device);
void showWindow(irr::IrrlichtDevice* device);
// The device's own window operations, guarded: the display library's X11 device
// calls Xlib on a null display when it runs the null driver.
void restoreWindow(irr::IrrlichtDevice* device);
void maximizeWindow(irr::IrrlichtDevice* device);
void minimizeWindow(irr::IrrlichtDevice* device);
bool windowActive(irr::IrrlichtDevice* device);
bool windowMinimized(irr::IrrlichtDevice* device);
void moveWindow(irr::IrrlichtDevice* device, int x, int y);
void setCursorVisible(irr::IrrlichtDevice* device, bool visible);

// Cursor position in the window's client coordinates from the window system,
// clamped to -1 .. size + 1. False when the window system cannot be asked.
bool queryCursorPosition(irr::IrrlichtDevice* device, int* x, int* y);

// Mouse position as the commands report it: the window system's cursor for a
// drawing driver, the last mouse event otherwise.
int mouseX(irr::IrrlichtDevice* device);
int mouseY(irr::IrrlichtDevice* device);

// Bits per pixel of a back-buffer colour format.
int colorFormatDepth(irr::video::ECOLOR_FORMAT format);

}  // namespace tk
