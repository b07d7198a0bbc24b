#include "viewer/modelling_package.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "platform/window/window.h"
#include "viewer/top_level_windows.h"

namespace tk {
namespace {

constexpr long kNetWmStateAdd = 1;
constexpr long kSourceApplication = 1;

// Asks the window manager to keep the window above the others. The state is
// also written on the window itself, where it counts when no manager runs.
void keepAbove(Display* display, Window window) {
  Atom state = XInternAtom(display, "_NET_WM_STATE", False);
  Atom above = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
  XChangeProperty(display, window, state, XA_ATOM, 32, PropModeAppend, reinterpret_cast<unsigned char*>(&above),
                  1);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = state;
  event.xclient.format = 32;
  event.xclient.data.l[0] = kNetWmStateAdd;
  event.xclient.data.l[1] = static_cast<long>(above);
  event.xclient.data.l[3] = kSourceApplication;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace

bool isModellingPackageTitle(const std::string& title) {
  auto has = [&title](const char* word) { return title.find(word) != std::string::npos; };
  return has("LightWave") && has("NewTek") && has("Layout") && !has(".exe");
}

unsigned long findModellingPackageWindow(void* display) {
  std::vector<unsigned long> windows = findTopLevelWindows(display, isModellingPackageTitle);
  return windows.empty() ? 0 : windows.back();  // the topmost one
}

PackagePlacement placeBesideModellingPackage(irr::IrrlichtDevice* device) {
  WindowHandle viewer = windowOf(device);
  if (!viewer.valid()) return PackagePlacement::NoWindow;
  auto* display = static_cast<Display*>(viewer.display);
  PackagePlacement placement = PackagePlacement::AboveOthers;
  if (unsigned long package = findModellingPackageWindow(display)) {
    XSetTransientForHint(display, viewer.window, package);
    placement = PackagePlacement::OwnedByPackage;
  } else {
    keepAbove(display, viewer.window);
  }
  XFlush(display);
  return placement;
}

}  // namespace tk
