// Engine start-up and shutdown on the null driver.
#include <gtest/gtest.h>

#include <climits>

#include "base/files/file_layer.h"
#include "base/files/filesystem_mount.h"
#include "base/log.h"
#include "platform/screenshot/screenshot.h"
#include "render/engine.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/zip_builder.h"

namespace tk {
namespace {

class EngineSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disableMessageBoxes();
    clearLastError();
    tkSetupFilesystem(nullptr, FS_PLAIN, 0);
  }
  void TearDown() override {
    tkSysShutdown();
    tkSetupFilesystem(nullptr, FS_PLAIN, 0);
  }
};

TEST_F(EngineSetupTest, StartsWithDefaultsAndMakesTheTables) {
  SysSetup setup;
  ASSERT_EQ(tkSysSetup(setup), 0);
  STkEngine& e = tkEngine();
  EXPECT_TRUE(tkEngineSetUp());
  EXPECT_TRUE(e.initialised);
  EXPECT_EQ(e.width, 640);
  EXPECT_EQ(e.height, 480);
  EXPECT_EQ(e.colorBits, 32);
  EXPECT_TRUE(e.antialias);
  EXPECT_TRUE(e.lightPrePass);
  ASSERT_TRUE(e.objects);
  EXPECT_EQ(e.objects->capacity(), 1000);
  EXPECT_EQ(e.renderers->capacity(), 1000);
  EXPECT_EQ(e.camera->getAbsolutePosition(), irr::core::vector3df(0, 0, 0));
  EXPECT_EQ(e.camera->getTarget(), irr::core::vector3df(0, 0, 100));
  EXPECT_TRUE(deviceFileLayerInstalled());
}

TEST_F(EngineSetupTest, EqualCameraRangeFallsBackToDefaults) {
  SysSetup setup;
  setup.cameraNear = 5;
  setup.cameraFar = 5;
  ASSERT_EQ(tkSysSetup(setup), 0);
  EXPECT_FLOAT_EQ(tkEngine().camera->getNearValue(), 0.1f);
  EXPECT_FLOAT_EQ(tkEngine().camera->getFarValue(), 1000.0f);
}

// Sizes and depths from any source are checked before a device is made; a
// refused start-up leaves no engine behind, and the next good one starts.
TEST_F(EngineSetupTest, ImpossibleWindowSizesAndDepthsAreRefusedBeforeADeviceIsMade) {
  struct Case {
    int width, height, colorBits;
    const char* error;
  } cases[] = {
      {-5, -5, 32, "window size -5 x -5 is out of range (1 to 16384 pixels a side)"},
      {0, 480, 32, "window size 0 x 480 is out of range (1 to 16384 pixels a side)"},
      {640, 16385, 32, "window size 640 x 16385 is out of range (1 to 16384 pixels a side)"},
      {INT_MAX, INT_MIN, 32, "window size 2147483647 x -2147483648 is out of range (1 to 16384 pixels a side)"},
      {640, 480, 0, "colour depth 0 is not supported (16, 24 or 32 bits)"},
      {640, 480, 256 + 32, "colour depth 288 is not supported (16, 24 or 32 bits)"},
      {640, 480, -2, "colour depth -2 is not supported (16, 24 or 32 bits)"},
  };
  test::CapturedStdout quiet;
  for (const Case& c : cases) {
    SysSetup setup;
    setup.width = c.width;
    setup.height = c.height;
    setup.colorBits = c.colorBits;
    EXPECT_EQ(tkSysSetup(setup), -1) << c.error;
    EXPECT_STREQ(startupErrorText(), c.error);
    EXPECT_FALSE(tkEngineSetUp());
    EXPECT_EQ(tkEngine().device, nullptr);
  }
  SysSetup smallest;
  smallest.width = smallest.height = 1;
  smallest.colorBits = 16;
  EXPECT_EQ(tkSysSetup(smallest), 0);
}

TEST_F(EngineSetupTest, ShutdownIsSafeTwiceAndASecondSetupRestarts) {
  tkSysShutdown();
  SysSetup setup;
  ASSERT_EQ(tkSysSetup(setup), 0);
  setup.width = 320;
  ASSERT_EQ(tkSysSetup(setup), 0);
  EXPECT_EQ(tkEngine().width, 320);
  tkSysShutdown();
  EXPECT_FALSE(tkEngineSetUp());
  EXPECT_EQ(tkEngine().device, nullptr);
  EXPECT_EQ(tkEngine().objects, nullptr);
  EXPECT_FALSE(deviceFileLayerInstalled());
  tkSysShutdown();
}

TEST_F(EngineSetupTest, ScreenshotWithoutADrawingDriverFailsWithCodeOne) {
  ASSERT_EQ(tkSysSetup(SysSetup()), 0);
  EXPECT_EQ(takeScreenShot(tkEngine().driver, "/tmp/never.png"), -1);
  std::string text;
  int code;
  ASSERT_TRUE(takeLastError(&text, &code));
  EXPECT_EQ(text, "failed to grab the screen\n");
  EXPECT_EQ(code, 1);
}

TEST_F(EngineSetupTest, FileSystemModesLogTheirLinesAndMountArchives) {
  test::TempFolder folder;
  std::string zip = test::makeZip({{"data/Scene.TXT", "inside"}});
  std::string zipPath = folder.write("pack.zip", zip);
  test::CapturedStdout out;
  EXPECT_EQ(tkSetupFilesystem(zipPath.c_str(), FS_ARCHIVE_FILE, 0), 0);
  EXPECT_NE(out.take().find("INFO : setup filesystem stdio"), std::string::npos);
  ASSERT_EQ(tkSysSetup(SysSetup()), 0);
  EXPECT_NE(out.take().find("INFO : setup filesystem irrzip"), std::string::npos);
  std::string contents;
  ASSERT_TRUE(readWholeFile("data/scene.txt", &contents));  // archive lookup ignores case
  EXPECT_EQ(contents, "inside");
  tkSysShutdown();

  EXPECT_EQ(tkSetupFilesystem(zip.data(), FS_ARCHIVE_MEMORY, zip.size()), 0);
  ASSERT_EQ(tkSysSetup(SysSetup()), 0);
  ASSERT_TRUE(readWholeFile("DATA/Scene.txt", &contents));
  EXPECT_EQ(contents, "inside");
  EXPECT_EQ(tkSetupFilesystem(nullptr, FS_PLAIN, 0), 0);
  EXPECT_NE(out.take().find("INFO : setup filesystem irrstd"), std::string::npos);
}

TEST_F(EngineSetupTest, MissingArchiveIsReported) {
  ASSERT_EQ(tkSysSetup(SysSetup()), 0);
  test::CapturedStdout out;
  EXPECT_EQ(tkSetupFilesystem("/nonexistent/pack.zip", FS_ARCHIVE_FILE, 0), -1);
  EXPECT_NE(out.take().find("ERROR : tkSetupFilesystem: Failed addFileArchive '/nonexistent/pack.zip'"),
            std::string::npos);
  std::string garbage = "not a zip at all";
  EXPECT_EQ(tkSetupFilesystem(garbage.data(), FS_ARCHIVE_MEMORY, garbage.size()), -1);
  EXPECT_NE(out.take().find("ERROR : tkSetupFilesystem: Failed addFileArchive from memory"), std::string::npos);
}

}  // namespace
}  // namespace tk
