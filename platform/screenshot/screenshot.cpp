#include "platform/screenshot/screenshot.h"

#include <irrlicht.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/log.h"
#include "platform/screenshot/frame_keeper.h"

namespace tk {
namespace {

// The image goes to a temporary file beside the target (same folder, same
// extension, which chooses the image writer) and is renamed into place only
// once it is written whole: a failed write never leaves an empty or partial
// file under the name asked for, nor spoils a previous picture of that name.
bool writeImageInPlace(irr::video::IVideoDriver* driver, irr::video::IImage* image, const std::string& target) {
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = target.substr(folder.size());
  const size_t dot = base.rfind('.');
  const std::string extension = dot == std::string::npos ? "" : base.substr(dot);
  std::string temporary = folder + "." + base + "-XXXXXX" + extension;
  int fd = mkstemps(temporary.data(), static_cast<int>(extension.size()));
  if (fd < 0) return false;
  // mkstemps makes the file private; a picture gets the usual permissions.
  mode_t mask = umask(0);
  umask(mask);
  bool ready = fchmod(fd, 0666 & ~mask) == 0;
  ready = close(fd) == 0 && ready;
  if (ready && driver->writeImageToFile(image, temporary.c_str()) && rename(temporary.c_str(), target.c_str()) == 0)
    return true;
  unlink(temporary.c_str());
  return false;
}

}  // namespace

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
  bool written = image && fileName && *fileName && writeImageInPlace(driver, image, fileName);
  if (image) image->drop();
  if (!written) {
    logErrorCode(kErrorArgument1, "failed to save screenshot to file '%s'\n", fileName ? fileName : "");
    return -1;
  }
  return 0;
}

}  // namespace tk
