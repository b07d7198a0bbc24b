#include "startup/display_limits.h"

#include <cstdio>

namespace tk {

bool windowSideAllowed(int pixels) { return pixels >= kMinWindowSide && pixels <= kMaxWindowSide; }

bool colorBitsAllowed(int bits) { return bits == 16 || bits == 24 || bits == 32; }

std::string displayValuesProblem(int width, int height, int colorBits, bool fullScreen, const ScreenSize* screen) {
  char text[160];
  if (!windowSideAllowed(width) || !windowSideAllowed(height)) {
    snprintf(text, sizeof text, "window size %d x %d is out of range (%d to %d pixels a side)", width, height,
             kMinWindowSide, kMaxWindowSide);
    return text;
  }
  if (!colorBitsAllowed(colorBits)) {
    snprintf(text, sizeof text, "colour depth %d is not supported (16, 24 or 32 bits)", colorBits);
    return text;
  }
  if (fullScreen && screen && (width > screen->width || height > screen->height)) {
    snprintf(text, sizeof text, "full-screen size %d x %d is larger than the screen (%d x %d)", width, height,
             screen->width, screen->height);
    return text;
  }
  return "";
}

}  // namespace tk
