// Copies through the render services, read back pixel by pixel.
#include <gtest/gtest.h>

#include "base/log.h"
#include "platform/screenshot/frame_keeper.h"
#include "platform/screenshot/screenshot.h"
#include "render/engine.h"
#include "render/render_services.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

TEST(RenderServicesGlTest, CopyTextureCoversTheTargetKeepingOrientation) {
  ASSERT_EQ(test::startGlEngine(64, 32), 0);
  irr::video::IVideoDriver* driver = tkEngine().driver;
  // A 4 x 2 picture: red top-left, blue bottom-right, green elsewhere.
  irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(4, 2));
  image->fill(irr::video::SColor(255, 0, 255, 0));
  image->setPixel(0, 0, irr::video::SColor(255, 255, 0, 0));
  image->setPixel(3, 1, irr::video::SColor(255, 0, 0, 255));
  driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
  irr::video::ITexture* texture = driver->addTexture("picture", image);
  image->drop();
  ASSERT_TRUE(texture);

  CTkRenderServices services(tkEngine().device);
  irr::video::ITexture* none[] = {nullptr, texture};
  ASSERT_TRUE(driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0)));
  services.setRenderTargets(none, 2);  // a first entry of none means the screen
  services.copyTexture(texture);
  frameKeeper().keepBackBuffer(64, 32);
  driver->endScene();
  test::TempFolder folder;
  std::string path = folder.path() + "/copy.png";
  ASSERT_EQ(takeScreenShot(tkEngine().driver, path.c_str()), 0);
  irr::video::IImage* shot = driver->createImageFromFile(path.c_str());
  ASSERT_TRUE(shot);
  EXPECT_EQ(shot->getPixel(2, 2).color & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(shot->getPixel(61, 29).color & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(shot->getPixel(30, 5).color & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(shot->getPixel(17, 2).color & 0xFFFFFF, 0x00FF00u);  // the red texel covers 16 pixels
  shot->drop();
  tkSysShutdown();
}

}  // namespace
}  // namespace tk
