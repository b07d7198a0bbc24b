#include "platform/window/x_errors.h"

#include <X11/Xlib.h>

#include "base/log.h"

namespace tk {
namespace {

int logXError(Display* display, XErrorEvent* error) {
  char text[256];
  XGetErrorText(display, error->error_code, text, sizeof text);
  log(LOG_WARN, "X error ignored: %s (request %d.%d)", text, error->request_code, error->minor_code);
  return 0;
}

}  // namespace

void installXErrorLogger() { XSetErrorHandler(logXError); }

}  // namespace tk
