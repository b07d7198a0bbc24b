#pragma once
// The window sizes and colour depths the engine asks a device for. Start-up
// checks the values it derived (from a script's Setup, the command line or the
// setup file) here before it makes a device, because the window system and the
// GL driver fail on impossible ones deep inside their own code (or crash).

#include <string>

#include "platform/window/screen_size.h"

namespace tk {

// A window side: at least one pixel, and no more than the largest drawable GL
// drivers offer (the X server's own limit, 32767, lies beyond it).
constexpr int kMinWindowSide = 1;
constexpr int kMaxWindowSide = 16384;

bool windowSideAllowed(int pixels);
// 16, 24 or 32: the pixel formats a GL visual offers.
bool colorBitsAllowed(int bits);

// Empty when a device of these values can be made; otherwise the reason, as
// one line. `screen` (null when there is none to ask) bounds a full-screen size.
std::string displayValuesProblem(int width, int height, int colorBits, bool fullScreen, const ScreenSize* screen);

}  // namespace tk
