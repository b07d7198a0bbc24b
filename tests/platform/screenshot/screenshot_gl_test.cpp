// Frames read back from the OpenGL driver: orientation and colour order.
#include <gtest/gtest.h>

#include "api/render_frame.h"
#include "base/log.h"
#include "platform/screenshot/screenshot.h"
#include "render/engine.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

class ScreenshotTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(160, 120), 0);
  }
  void TearDown() override { tkSysShutdown(); }

  // A filled GUI panel: the GUI is drawn by every frame.
  void addPanel(int x0, int y0, int x1, int y1, irr::video::SColor colour) {
    irr::gui::IGUIStaticText* panel =
        tkEngine().gui->addStaticText(L"", irr::core::rect<irr::s32>(x0, y0, x1, y1), false, false, nullptr, -1, true);
    panel->setBackgroundColor(colour);
  }
};

TEST_P(ScreenshotTest, TopLeftStaysTopLeftAndChannelsKeepTheirOrder) {
  tkEngine().clearColor = irr::video::SColor(255, 0, 255, 0);
  addPanel(0, 0, 40, 30, irr::video::SColor(255, 255, 0, 0));
  addPanel(120, 90, 160, 120, irr::video::SColor(255, 0, 0, 255));
  renderFrame();
  test::TempFolder folder;
  std::string path = folder.path() + "/shot." + GetParam();
  ASSERT_EQ(takeScreenShot(tkEngine().driver, path.c_str()), 0);

  irr::video::IImage* image = tkEngine().driver->createImageFromFile(path.c_str());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->getDimension(), irr::core::dimension2du(160, 120));
  struct Probe {
    int x, y;
    irr::u32 r, g, b;
  } probes[] = {{5, 5, 255, 0, 0}, {150, 110, 0, 0, 255}, {80, 60, 0, 255, 0}, {150, 5, 0, 255, 0}};
  for (const Probe& p : probes) {
    irr::video::SColor c = image->getPixel(p.x, p.y);
    EXPECT_EQ(c.getRed(), p.r) << p.x << "," << p.y;
    EXPECT_EQ(c.getGreen(), p.g) << p.x << "," << p.y;
    EXPECT_EQ(c.getBlue(), p.b) << p.x << "," << p.y;
  }
  image->drop();
}

INSTANTIATE_TEST_SUITE_P(Formats, ScreenshotTest, ::testing::Values("bmp", "png"));

TEST(ScreenshotFailureTest, UnwritableFileIsReported) {
  disableMessageBoxes();
  SysSetup setup;
  setup.vsync = 0;
  ASSERT_EQ(tkSysSetup(setup), 0);
  renderFrame();
  clearLastError();
  EXPECT_EQ(takeScreenShot(tkEngine().driver, "/nonexistent-folder/shot.bmp"), -1);
  std::string text;
  int code;
  ASSERT_TRUE(takeLastError(&text, &code));
  EXPECT_EQ(text, "failed to save screenshot to file '/nonexistent-folder/shot.bmp'\n");
  EXPECT_EQ(code, 1);
  tkSysShutdown();
}

}  // namespace
}  // namespace tk
