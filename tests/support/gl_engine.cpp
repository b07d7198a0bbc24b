#include "tests/support/gl_engine.h"

#include "base/log.h"
#include "platform/screenshot/frame_keeper.h"
#include "startup/sys_setup.h"

namespace tk::test {

int startGlEngine(int width, int height) {
  disableMessageBoxes();
  SysSetup setup;
  setup.width = width;
  setup.height = height;
  setup.vsync = 0;
  return tkSysSetup(setup);
}

std::vector<uint8_t> lastFrameRgb() {
  std::vector<uint8_t> pixels;
  int width = 0, height = 0;
  if (!frameKeeper().readRgb(&pixels, &width, &height)) pixels.clear();
  return pixels;
}

}  // namespace tk::test
