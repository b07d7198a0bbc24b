#include "startup/setup_file.h"

#include <gtest/gtest.h>

#include "base/files/ini_file.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

SysSetup fromText(const char* text) {
  std::unique_ptr<IniFile> ini = IniFile::fromText(text);
  EXPECT_TRUE(ini);
  return setupFromIni(*ini);
}

TEST(SetupFileTest, EveryKeyAndForm) {
  SysSetup s = fromText(
      "; comment\n[SETUP]\nDisplay = 1024 768 16\nwindowpos=\"5 6\"\nVSync=0x1\nhide_mouse = 010\n"
      "antialias=0\nlightprepass = '1'\ncamerarange = 0.5 250\nstereo=2\n# done\n");
  EXPECT_EQ(s.width, 1024);
  EXPECT_EQ(s.height, 768);
  EXPECT_EQ(s.colorBits, 16);
  EXPECT_EQ(s.windowed, -1);  // absent key: not set, which starts windowed
  EXPECT_EQ(s.windowX, 5);
  EXPECT_EQ(s.windowY, 6);
  EXPECT_EQ(s.vsync, 1);
  EXPECT_EQ(s.hideMouse, 8);  // octal
  EXPECT_EQ(s.antialias, 0);
  EXPECT_EQ(s.lightPrePass, 1);
  EXPECT_FLOAT_EQ(s.cameraNear, 0.5f);
  EXPECT_FLOAT_EQ(s.cameraFar, 250.0f);
  EXPECT_EQ(s.stereo, 2);
}

TEST(SetupFileTest, AbsentKeysStayUnsetAndPartialDisplayIsKept) {
  SysSetup s = fromText("[Setup]\ndisplay=800\n");
  EXPECT_EQ(s.width, 800);
  EXPECT_EQ(s.height, -1);
  EXPECT_EQ(s.colorBits, -1);
  EXPECT_EQ(s.vsync, -1);
  EXPECT_FLOAT_EQ(s.cameraNear, 0.1f);
  EXPECT_FLOAT_EQ(s.cameraFar, 1000.0f);
}

TEST(SetupFileTest, WindowedValues) {
  struct Case {
    const char* value;
    int windowed;
  } cases[] = {{"1", 1}, {"yes", 1}, {"YES", 1}, {"Y", 1}, {"no", 0}, {"0", 0}, {"true", 0}, {"2", 0}};
  for (const Case& c : cases) {
    std::string text = std::string("[Setup]\nwindowed=") + c.value + "\n";
    EXPECT_EQ(fromText(text.c_str()).windowed, c.windowed) << c.value;
  }
}

TEST(SetupFileTest, CommandLineOverridesWin) {
  SysSetup s = fromText("[Setup]\ndisplay=1024 768 32\nvsync=1\n");
  DisplayRecord overrides;
  overrides.width = 800;
  overrides.height = 600;
  overrides.vsync = 0;
  overrides.frameRate = 50;  // has no effect on the start-up
  applyOverrides(overrides, &s);
  EXPECT_EQ(s.width, 800);
  EXPECT_EQ(s.height, 600);
  EXPECT_EQ(s.colorBits, 32);
  EXPECT_EQ(s.vsync, 0);
}

TEST(SetupFileTest, MalformedTextIsRefusedWithTheParsersComplaint) {
  std::string error;
  EXPECT_FALSE(IniFile::fromText("[Setup\ndisplay=640 480\n", &error));
  EXPECT_NE(error.find("[Setup"), std::string::npos) << error;
  EXPECT_EQ(fromText("[Setup]\nvsync=abc\n").vsync, 0);
  // The complaint names the file read, not the parser's own view of it.
  test::TempFolder folder;
  const std::string path = folder.write("tesk-setup.ini", "[Setup]\n[Setup\n");
  EXPECT_FALSE(IniFile::load(path.c_str(), &error));
  EXPECT_EQ(error, "iniparser: syntax error in " + path + " (2): -> [Setup");
}

}  // namespace
}  // namespace tk
