#include "platform/screenshot/screenshot.h"

#include <irrlicht.h>

#include <vector>

#include "base/log.h"
#include "platform/screenshot/frame_keeper.h"

namespace tk {

int takeScreenShot(irr::video::IVideoDriver* driver, const char* fileName) {
  std::vector<uint8_t> pixels;
  int width = 0, height = 0;
  bool grabbed = driver && driver->getDriverType() == irr::video::EDT_OPENGL &&
                 frameKeeper().readRgb(&pixels, &width, &height);
  if (!grabbed) {
    logErrorCode(kErrorArgument1, "failed to grab the screen\n");
    return -1;
  }
  irr::video::IImage* image = driver->createImageFromData(
      irr::video::ECF_R8G8B8, irr::core::dimension2du(width, height), pixels.data(), false, false);
  bool written = image && driver->writeImageToFile(image, fileName);
  if (image) image->drop();
  if (!written) {
    logErrorCode(kErrorArgument1, "failed to save screenshot to file '%s'\n", fileName);
    return -1;
  }
  return 0;
}

}  // namespace tk
