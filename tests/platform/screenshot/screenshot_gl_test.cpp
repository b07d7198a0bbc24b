// Frames read back from the OpenGL driver: orientation and colour order.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

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

// A screenshot that cannot be written leaves nothing behind: no empty file
// under the name asked for, no temporary file, and a previous picture of
// that name as it was.
TEST(ScreenshotFailureTest, AFailedWriteLeavesNoFileAndKeepsTheOldOne) {
  disableMessageBoxes();
  ASSERT_EQ(test::startGlEngine(160, 120), 0);
  renderFrame();
  test::TempFolder folder;
  folder.write("old.xyz", "an earlier picture");
  std::filesystem::create_directories(folder.path() + "/folder.png");
  struct Case {
    const char* name;
    const char* leftBehind;  // what the name holds afterwards: "" none, "dir" a folder, else the old contents
  } cases[] = {
      {"shot.xyz", ""},  // no writer for the extension
      {"old.xyz", "an earlier picture"},
      {"folder.png", "dir"},
      {"noextension", ""},
  };
  for (const Case& c : cases) {
    const std::string path = folder.path() + "/" + c.name;
    clearLastError();
    EXPECT_EQ(takeScreenShot(tkEngine().driver, path.c_str()), -1) << c.name;
    std::string text;
    int code;
    ASSERT_TRUE(takeLastError(&text, &code)) << c.name;
    EXPECT_EQ(text, "failed to save screenshot to file '" + path + "'\n");
    const std::string left = std::string(c.leftBehind);
    if (left.empty()) {
      EXPECT_FALSE(std::filesystem::exists(path)) << c.name;
    } else if (left == "dir") {
      EXPECT_TRUE(std::filesystem::is_directory(path)) << c.name;
    } else {
      std::ifstream in(path);
      std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      EXPECT_EQ(kept, left) << c.name;
    }
  }
  std::vector<std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) entries.push_back(entry.path().filename());
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"folder.png", "old.xyz"}));  // no temporary file is left
  // A picture that is written replaces the old one whole.
  const std::string good = folder.path() + "/old.bmp";
  folder.write("old.bmp", "not a picture");
  ASSERT_EQ(takeScreenShot(tkEngine().driver, good.c_str()), 0);
  irr::video::IImage* image = tkEngine().driver->createImageFromFile(good.c_str());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->getDimension(), irr::core::dimension2du(160, 120));
  image->drop();
  tkSysShutdown();
}

}  // namespace
}  // namespace tk
