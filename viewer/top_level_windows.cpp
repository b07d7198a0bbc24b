#include "viewer/top_level_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace tk {
namespace {

std::string utf8Name(Display* display, Window window) {
  Atom property = XInternAtom(display, "_NET_WM_NAME", False);
  Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type;
  int format;
  unsigned long count, remaining;
  unsigned char* data = nullptr;
  std::string name;
  if (XGetWindowProperty(display, window, property, 0, 1024, False, utf8, &type, &format, &count, &remaining,
                         &data) == Success &&
      data) {
    if (type == utf8 && format == 8) name.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  return name;
}

std::vector<Window> childrenOf(Display* display, Window window) {
  Window root, parent;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> result;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return result;
  result.assign(children, children + count);
  if (children) XFree(children);
  return result;
}

}  // namespace

std::string windowTitle(void* display, unsigned long window) {
  auto* x = static_cast<Display*>(display);
  std::string name = utf8Name(x, window);
  if (!name.empty()) return name;
  char* plain = nullptr;
  if (XFetchName(x, window, &plain) && plain) {
    name = plain;
    XFree(plain);
  }
  return name;
}

std::vector<unsigned long> findTopLevelWindows(void* display,
                                               const std::function<bool(const std::string& title)>& matches) {
  std::vector<unsigned long> found;
  if (!display) return found;
  auto* x = static_cast<Display*>(display);
  for (Window top : childrenOf(x, DefaultRootWindow(x))) {
    std::string title = windowTitle(x, top);
    if (!title.empty()) {
      if (matches(title)) found.push_back(top);
      continue;
    }
    for (Window client : childrenOf(x, top))
      if (matches(windowTitle(x, client))) found.push_back(client);
  }
  return found;
}

}  // namespace tk
