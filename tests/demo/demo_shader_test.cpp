// A demo whose part has a timed shader: loading makes the camera effect, the
// player switches it on in its window and off after it, unloading deletes it.
#include <gtest/gtest.h>

#include "api/camera_effect_commands.h"
#include "demo/demo_loader.h"
#include "demo/demo_player.h"
#include "tests/api/commands_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

using DemoShaderTest = test::EngineCommandsTest;

TEST_F(DemoShaderTest, TimedShaderRunsAsACameraEffectInItsWindow) {
  test::TempFolder folder;
  std::string path = folder.write("shader.demo.ini",
                                  "[setup]\nshadersdirectory = " TESK_SOURCE_DIR "/runtime/shadersPP\n"
                                  "[part1]\ntime = 0\n"
                                  "shader.0.name = Tint.hlsl\nshader.0.time = 100\nshader.0.length = 200\n"
                                  "shader.1.name = tint.HLSL\nshader.1.time = 400\nshader.1.length = 100\n"
                                  "[part2]\ntime = 1000\n");
  DemoDescription demo;
  DemoIdCounters counters;
  ASSERT_EQ(tkDemoLoad(&demo, path.c_str(), &counters), 0);
  // Both entries name one file: one camera effect, made switched off.
  ASSERT_EQ(demo.parts[0].shaders.size(), 2u);
  EXPECT_EQ(demo.parts[0].shaders[0].cameraEffect, 0);
  EXPECT_EQ(demo.parts[0].shaders[1].cameraEffect, 0);
  EXPECT_TRUE(CameraEffectExist(0));
  EXPECT_TRUE(enabledCameraEffects().empty());

  DemoPlayback playback(demo, true);
  struct Step {
    int time;
    std::vector<int> enabled;
  };
  const Step steps[] = {{50, {}}, {150, {0}}, {299, {0}}, {300, {}}, {450, {0}}, {600, {}}};
  for (const Step& step : steps) {
    ASSERT_TRUE(playback.step(step.time));
    EXPECT_EQ(enabledCameraEffects(), step.enabled) << "at " << step.time;
  }
  unloadDemo(&demo);
  EXPECT_FALSE(CameraEffectExist(0));
}

TEST_F(DemoShaderTest, AShaderThatDoesNotCompileIsLoggedAndNeverSwitched) {
  test::TempFolder folder;
  std::string path = folder.write("broken.demo.ini",
                                  "[setup]\nshadersdirectory = shaders\n"
                                  "[part1]\ntime = 0\nshader.0.name = Missing.hlsl\nshader.0.length = 500\n"
                                  "[part2]\ntime = 1000\n");
  DemoDescription demo;
  DemoIdCounters counters;
  setLogThreshold(LOG_ERROR);
  test::CapturedStdout out;
  ASSERT_EQ(tkDemoLoad(&demo, path.c_str(), &counters), 0);  // the demo plays without it
  EXPECT_NE(out.take().find("ERROR : Failed to load shader shaders/Missing.hlsl"), std::string::npos);
  EXPECT_EQ(demo.parts[0].shaders[0].cameraEffect, -1);
  EXPECT_FALSE(CameraEffectExist(0));
  DemoPlayback playback(demo, true);
  ASSERT_TRUE(playback.step(100));
  EXPECT_TRUE(enabledCameraEffects().empty());
  unloadDemo(&demo);
}

}  // namespace
}  // namespace tk
