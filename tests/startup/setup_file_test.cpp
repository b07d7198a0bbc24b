#include "startup/setup_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/files/ini_file.h"
#include "base/log.h"
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
  EXPECT_EQ(s.hideMouse, 1);  // octal 8: on
  EXPECT_EQ(s.antialias, 0);
  EXPECT_EQ(s.lightPrePass, 1);
  EXPECT_FLOAT_EQ(s.cameraNear, 0.5f);
  EXPECT_FLOAT_EQ(s.cameraFar, 250.0f);
  EXPECT_EQ(s.stereo, 1);  // 2: on
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

// Values no device or camera can have: each goes back to its default (or, for
// a switch, to on) with one warning that names the key.
TEST(SetupFileTest, OutOfRangeValuesAreClampedOrRefusedWithAWarningNamingTheKey) {
  struct Case {
    const char* line;
    const char* warning;  // how the log starts; "" for nothing logged
    int SysSetup::*field;
    int value;
  } cases[] = {
      {"antialias = 99999", "WARN : Setup:antialias = 99999 is out of range (0 or 1): taken as 1", &SysSetup::antialias, 1},
      {"stereo = 99", "WARN : Setup:stereo = 99 is out of range (0 or 1): taken as 1", &SysSetup::stereo, 1},
      {"vsync = -7", "WARN : Setup:vsync = -7 is out of range (0 or 1): taken as 1", &SysSetup::vsync, 1},
      {"lightprepass = 99999999999", "WARN : Setup:lightprepass = 2147483647 is out of range", &SysSetup::lightPrePass,
       1},
      {"hide_mouse = 0", "", &SysSetup::hideMouse, 0},
      {"stereo = -1", "", &SysSetup::stereo, -1},
      {"display = 0 0 0", "WARN : Setup:display: size 0 is out of range (1 to 16384): the default is used",
       &SysSetup::width, -1},
      {"display = 640 -5", "WARN : Setup:display: size -5 is out of range", &SysSetup::height, -1},
      {"display = 99999999999 480", "WARN : Setup:display: size 2147483647 is out of range", &SysSetup::width, -1},
      {"display = 640 480 7", "WARN : Setup:display: colour depth 7 is not supported (16, 24 or 32)",
       &SysSetup::colorBits, -1},
      {"display = 640 480 24", "", &SysSetup::colorBits, 24},
      {"windowpos = 99999999999 -99999999999", "", &SysSetup::windowX, 2147483647},
  };
  const int threshold = logThreshold();
  setLogThreshold(LOG_WARN);
  for (const Case& c : cases) {
    SysSetup s;
    std::string logged;
    {
      test::CapturedStdout out;
      s = fromText((std::string("[Setup]\n") + c.line + "\n").c_str());
      logged = out.take();
    }
    EXPECT_EQ(s.*c.field, c.value) << c.line;
    EXPECT_EQ(logged.rfind(c.warning, 0), 0u) << c.line << ": " << logged;
    if (!*c.warning) {
      EXPECT_EQ(logged, "") << c.line;
    }
    // Every warning names its key ("display = 0 0 0" warns once for each value).
    std::string key = std::string("WARN : Setup:") + std::string(c.line).substr(0, std::string(c.line).find(' '));
    for (size_t at = logged.find("WARN"); at != std::string::npos; at = logged.find("WARN", at + 1))
      EXPECT_EQ(logged.compare(at, key.size(), key), 0) << c.line << ": " << logged;
  }
  setLogThreshold(threshold);
}

TEST(SetupFileTest, CameraRangesThatNoProjectionCanUseGiveTheDefaults) {
  struct Case {
    const char* value;
    float nearValue, farValue;
    bool warned;
  } cases[] = {
      {"nan nan", 0.1f, 1000.0f, true},   {"1 inf", 0.1f, 1000.0f, true},    {"-1 100", 0.1f, 1000.0f, true},
      {"0 100", 0.1f, 1000.0f, true},     {"100 10", 0.1f, 1000.0f, true},   {"1e39 1e39", 0.1f, 1000.0f, true},
      {"5 5", 5.0f, 5.0f, false},  // equal planes: start-up itself gives the defaults
      {"0.5 250", 0.5f, 250.0f, false},
  };
  const int threshold = logThreshold();
  setLogThreshold(LOG_WARN);
  for (const Case& c : cases) {
    SysSetup s;
    std::string logged;
    {
      test::CapturedStdout out;
      s = fromText((std::string("[Setup]\ncamerarange = ") + c.value + "\n").c_str());
      logged = out.take();
    }
    EXPECT_FLOAT_EQ(s.cameraNear, c.nearValue) << c.value;
    EXPECT_FLOAT_EQ(s.cameraFar, c.farValue) << c.value;
    EXPECT_EQ(logged.rfind("WARN : Setup:camerarange = ", 0) == 0, c.warned) << c.value << ": " << logged;
  }
  setLogThreshold(threshold);
}

TEST(SetupFileTest, MalformedTextIsRefusedWithTheParsersComplaint) {
  std::string error;
  EXPECT_FALSE(IniFile::fromText("[Setup\ndisplay=640 480\n", &error));
  EXPECT_NE(error.find("[Setup"), std::string::npos) << error;
  // The complaint names the text's source, not the descriptor it was parsed through.
  EXPECT_FALSE(IniFile::fromText("[Setup\n", &error, "tesk-setup.ini"));
  EXPECT_NE(error.find("tesk-setup.ini"), std::string::npos) << error;
  EXPECT_EQ(error.find("/proc/"), std::string::npos) << error;
  EXPECT_EQ(fromText("[Setup]\nvsync=abc\n").vsync, 0);
  // The complaint names the file read, not the parser's own view of it.
  test::TempFolder folder;
  const std::string path = folder.write("tesk-setup.ini", "[Setup]\n[Setup\n");
  EXPECT_FALSE(IniFile::load(path.c_str(), &error));
  EXPECT_EQ(error, "iniparser: syntax error in " + path + " (2): -> [Setup");
}

}  // namespace
}  // namespace tk
