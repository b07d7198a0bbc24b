#pragma once
// Drawing tests start the engine on the OpenGL driver in a small window and
// read back what the last frame showed.

#include <cstdint>
#include <vector>

namespace tk::test {

// The engine in a window of width x height, without vertical sync and with
// message boxes off; tkSysSetup's answer (0 when it started).
int startGlEngine(int width, int height);
// The last kept frame as rows of 8-bit RGB, top row first; empty when none was kept.
std::vector<uint8_t> lastFrameRgb();

}  // namespace tk::test
