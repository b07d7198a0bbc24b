#include "platform/window/screen_size.h"

#include <X11/Xlib.h>

namespace tk {

bool defaultScreenSize(ScreenSize* size) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  int screen = DefaultScreen(display);
  size->width = DisplayWidth(display, screen);
  size->height = DisplayHeight(display, screen);
  XCloseDisplay(display);
  return true;
}

}  // namespace tk
