#include "base/command_line.h"

#include <gtest/gtest.h>

namespace tk {
namespace {

CommandLine parse(std::vector<std::string> args) {
  args.insert(args.begin(), "tesk");
  return parseInteractiveOptions(args);
}

TEST(RunModeTest, ChosenBySubstringsAndCaseInsensitiveExtensions) {
  struct Case {
    const char* name;
    RunMode mode;
  } cases[] = {
      {"intro.demo.ini.bak", RunMode::DemoPlayer}, {"a.DEMO.INI", RunMode::Unsupported},
      {"SCENE.TSCN", RunMode::SceneViewer},        {"x.lws.ini", RunMode::SceneViewer},
      {"old.Tesk", RunMode::SceneViewer},          {"ship.X", RunMode::ObjectViewer},
      {"ship.lwo", RunMode::ObjectViewer},         {"m.OBJ", RunMode::ObjectViewer},
      {"main.lua", RunMode::Script},               {"main.TLUA", RunMode::Script},
      {"README", RunMode::Unsupported},            {"a.tscn.txt", RunMode::Unsupported},
      {"dir.v2/file", RunMode::Unsupported},
  };
  for (const Case& c : cases) EXPECT_EQ(runModeForFile(c.name), c.mode) << c.name;
}

TEST(CommandLineTest, DefaultsOfAnInteractiveStart) {
  CommandLine line = parse({"scene.tscn"});
  EXPECT_EQ(line.viewer.flags, 0x21u);
  EXPECT_EQ(line.file, "scene.tscn");
  EXPECT_EQ(line.overrides.width, -1);
  EXPECT_EQ(line.demo.startPart, -1);
  EXPECT_FLOAT_EQ(line.demo.captureRate, 30.0f);
  EXPECT_TRUE(line.demo.captureBase.empty());
}

TEST(CommandLineTest, EveryOptionSetsItsField) {
  CommandLine line = parse({"-framestart", "12", "-paused", "-ride", "-rideopts", "5", "-ridespeed", "3",
                            "-nomusic", "-syncupdate", "-noidleinactive", "-display", "800x600", "-windowed", "1",
                            "-windowpos", "10,20", "-stereo", "2", "-vsync", "0", "-userlog", "-cap", "shot",
                            "-capfps", "24.5", "-startpart", "2", "-console", "demo.demo.ini"});
  EXPECT_EQ(line.viewer.flags, 0x01u | 0x04 | 0x08 | 0x10 | 0x40 | 0x80);
  EXPECT_EQ(line.viewer.frameStart, 12);
  EXPECT_EQ(line.viewer.rideOptions, 5);
  EXPECT_EQ(line.viewer.rideSpeed, 3);
  EXPECT_EQ(line.overrides.width, 800);
  EXPECT_EQ(line.overrides.height, 600);
  EXPECT_EQ(line.overrides.windowed, 1);
  EXPECT_EQ(line.overrides.windowX, 10);
  EXPECT_EQ(line.overrides.windowY, 20);
  EXPECT_EQ(line.overrides.stereo, 2);
  EXPECT_EQ(line.overrides.vsync, 0);
  EXPECT_EQ(line.overrides.colorBits, -1);
  EXPECT_TRUE(line.userLog);
  EXPECT_EQ(line.demo.captureBase, "shot");
  EXPECT_FLOAT_EQ(line.demo.captureRate, 24.5f);
  EXPECT_EQ(line.demo.startPart, 2);
  EXPECT_EQ(line.file, "demo.demo.ini");
}

TEST(CommandLineTest, PartialValuesAndUnknownOptions) {
  CommandLine line = parse({"-display", "1024x", "-Paused", "-bogus", "first.x", "second.x", "-framestart", "abc"});
  EXPECT_EQ(line.overrides.width, -1);
  EXPECT_EQ(line.overrides.height, -1);
  EXPECT_EQ(line.viewer.flags & 0x04u, 0u);  // options are case-sensitive
  EXPECT_EQ(line.file, "first.x");
  EXPECT_EQ(line.viewer.frameStart, 0);  // not a number reads as 0
  EXPECT_TRUE(line.warnings.empty());
}

TEST(CommandLineTest, OptionWithoutItsValueAtTheEndIsReported) {
  CommandLine line = parse({"scene.tscn", "-cap"});
  EXPECT_TRUE(line.demo.captureBase.empty());
  ASSERT_EQ(line.warnings.size(), 1u);
  EXPECT_NE(line.warnings[0].find("-cap"), std::string::npos);
}

}  // namespace
}  // namespace tk
