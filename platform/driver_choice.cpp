#include "platform/driver_choice.h"

#include <cstdlib>
#include <cstring>

#include "base/log.h"

namespace tk {

bool displayAvailable() {
  const char* display = getenv("DISPLAY");
  return display && *display;
}

irr::video::E_DRIVER_TYPE chooseVideoDriver() {
  const char* asked = getenv("TESK_DRIVER");
  if (asked && strcmp(asked, "null") == 0) {
    log(LOG_INFO, "video driver: null (TESK_DRIVER=null)");
    return irr::video::EDT_NULL;
  }
  if (asked && strcmp(asked, "opengl") == 0) {
    log(LOG_INFO, "video driver: OpenGL (TESK_DRIVER=opengl)");
    return irr::video::EDT_OPENGL;
  }
  if (!displayAvailable()) {
    log(LOG_INFO, "video driver: null (no X display)");
    return irr::video::EDT_NULL;
  }
  log(LOG_INFO, "video driver: OpenGL");
  return irr::video::EDT_OPENGL;
}

}  // namespace tk
