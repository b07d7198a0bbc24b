#include "platform/screenshot/swap_probe.h"

#include <epoxy/gl.h>
#include <irrlicht.h>

namespace tk {
namespace {

// Dark enough to pass unseen before the first frame, apart in every colour depth.
const irr::video::SColor kFirst(255, 0, 0, 16);
const irr::video::SColor kSecond(255, 0, 16, 0);

bool presentCleared(irr::video::IVideoDriver* driver, irr::video::SColor colour) {
  return driver->beginScene(true, false, colour) && driver->endScene();
}

}  // namespace

bool backBufferSurvivesSwap(irr::video::IVideoDriver* driver) {
  if (!driver || driver->getDriverType() != irr::video::EDT_OPENGL) return false;
  if (!presentCleared(driver, kFirst) || !presentCleared(driver, kSecond)) return false;
  GLubyte pixel[4] = {};
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  // A flipping swap shows the first frame's colour or nothing defined here.
  return pixel[0] == kSecond.getRed() && pixel[1] == kSecond.getGreen() && pixel[2] == kSecond.getBlue();
}

}  // namespace tk
