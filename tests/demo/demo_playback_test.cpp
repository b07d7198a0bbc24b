// Part switching, timed shaders and faders of a running demo, on the null driver.
#include "demo/demo_player.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "api/fader_commands.h"
#include "demo/demo_camera_effects.h"
#include "music/music.h"
#include "tests/api/commands_fixture.h"
#include "tests/music/generated_audio.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

class DemoPlaybackTest : public test::EngineCommandsTest {
 protected:
  void SetUp() override {
    test::EngineCommandsTest::SetUp();
    saved = demoCameraEffects();
    demoCameraEffects().show = [this](int id) { events.push_back("on " + std::to_string(id)); };
    demoCameraEffects().hide = [this](int id) { events.push_back("off " + std::to_string(id)); };
  }
  void TearDown() override {
    demoCameraEffects() = saved;
    test::EngineCommandsTest::TearDown();
  }
  static DemoPart part(int time) {
    DemoPart p;
    p.time = p.timeBase = time;
    return p;
  }
  DemoCameraEffects saved;
  std::vector<std::string> events;
};

TEST_F(DemoPlaybackTest, PartsSwitchOnTimeAndTheLastPartEndsTheDemo) {
  DemoDescription demo;
  demo.parts = {part(500), part(2000), part(3000)};
  DemoPlayback playback(demo, true);
  ASSERT_TRUE(playback.step(0));
  EXPECT_EQ(playback.clock().currentPart, -1);  // before the first part only empty frames
  ASSERT_TRUE(playback.step(600));
  EXPECT_EQ(playback.clock().currentPart, 0);
  ASSERT_TRUE(playback.step(2999));
  EXPECT_EQ(playback.clock().currentPart, 1);
  EXPECT_FALSE(playback.clock().ended);
  ASSERT_TRUE(playback.step(3000));
  EXPECT_TRUE(playback.clock().ended);
  EXPECT_EQ(playback.clock().currentPart, 1);
}

TEST_F(DemoPlaybackTest, ShadersSwitchInTheirWindowsOnlyOnce) {
  DemoDescription demo;
  demo.parts = {part(0), part(100000)};
  DemoShader a, b, c;
  a.cameraEffect = 4;
  a.time = 100;
  a.length = 100;
  b.cameraEffect = 5;
  b.time = 150;
  b.length = 100;
  c.cameraEffect = 6;  // enters in the same step as b: b gives way to it
  c.time = 150;
  c.length = 30;
  demo.parts[0].shaders = {a, b, c};
  DemoPlayback playback(demo, true);
  for (int t : {0, 120, 160, 260, 120, 170}) ASSERT_TRUE(playback.step(t));
  // a, switched on in an earlier step, stays on beside them; nothing comes back
  // when the clock moves backwards.
  EXPECT_EQ(events, (std::vector<std::string>{"on 4", "on 5", "off 5", "on 6", "off 4", "off 6"}));
}

TEST_F(DemoPlaybackTest, FadersRunInTheirWindows) {
  DemoDescription demo;
  demo.parts = {part(0), part(100000)};
  DemoFader f;
  f.time = 100;
  f.length = 200;
  f.colour = 0xFF000000;
  demo.parts[0].faders = {f};
  DemoPlayback playback(demo, true);
  playback.step(50);
  EXPECT_FALSE(faderActive());
  playback.step(150);
  EXPECT_TRUE(faderActive());
  playback.step(300);
  EXPECT_FALSE(faderActive());
  playback.step(150);
  EXPECT_FALSE(faderActive());  // done faders stay off
}

// Windows whose end lies past the int range stay open to the end of time;
// nothing overflows on the way there.
TEST_F(DemoPlaybackTest, FarOffTimesAndHugeLengthsAreWindowsLikeOthers) {
  DemoDescription demo;
  demo.parts = {part(INT_MIN + 1), part(INT_MAX)};
  DemoShader shader;
  shader.cameraEffect = 3;
  shader.time = INT_MAX - 10;
  shader.length = INT_MAX;
  DemoFader fader;
  fader.time = INT_MIN;
  fader.length = INT_MAX;
  demo.parts[0].shaders = {shader};
  demo.parts[0].faders = {fader};
  DemoPlayback playback(demo, true);
  playback.clock().origin = 0;
  ASSERT_TRUE(playback.step(INT_MIN + 1));
  EXPECT_TRUE(faderActive());  // INT_MIN + INT_MAX is -1: open until then
  ASSERT_TRUE(playback.step(0));
  EXPECT_FALSE(faderActive());
  ASSERT_TRUE(playback.step(INT_MAX - 5));
  EXPECT_EQ(events, (std::vector<std::string>{"on 3"}));
  EXPECT_FALSE(playback.clock().ended);
  ASSERT_TRUE(playback.step(INT_MAX));
  EXPECT_TRUE(playback.clock().ended);
}

TEST_F(DemoPlaybackTest, SeekMovesTheClockToTheStartPart) {
  DemoDescription demo;
  demo.parts = {part(0), part(1000), part(5000), part(9000)};
  DemoPlayback playback(demo, true);
  playback.clock().origin = 0;
  playback.seek(2);
  EXPECT_EQ(playback.clock().currentPart, 1);
  EXPECT_EQ(playback.demoTime(0), 5000);
  ASSERT_TRUE(playback.step(0));
  EXPECT_EQ(playback.clock().currentPart, 2);
  playback.seek(4);  // not below the part count: nothing
  EXPECT_EQ(playback.clock().currentPart, 2);
}

// A capture at a rate that is no number of frames per second (0, negative,
// NaN, infinite) has frame times that stand still or run backwards: it would
// never reach the end.
TEST_F(DemoPlaybackTest, CaptureRatesThatCannotEndAreRefused) {
  setLogThreshold(LOG_ERROR);
  for (float rate : {0.0f, -30.0f, std::nanf(""), INFINITY, -INFINITY}) {
    int result;
    std::string logged;
    {
      test::CapturedStdout out;
      result = captureDemo("never-read.demo.ini", -1, "frame", rate);
      logged = out.take();
    }
    EXPECT_EQ(result, -1) << rate;
    EXPECT_NE(logged.find("is not a number of frames per second"), std::string::npos) << rate << ": " << logged;
  }
}

// Each part sets its camera range through the same command as scripts and
// scenes; a range that is not a number gives the defaults.
TEST_F(DemoPlaybackTest, EachPartSetsItsCameraRange) {
  DemoDescription demo;
  demo.parts = {part(0), part(1000), part(2000)};
  demo.parts[0].cameraNear = 15;
  demo.parts[0].cameraFar = 500;
  demo.parts[1].cameraNear = demo.parts[1].cameraFar = std::nanf("");
  DemoPlayback playback(demo, true);
  ASSERT_TRUE(playback.step(0));
  EXPECT_FLOAT_EQ(tkEngine().camera->getNearValue(), 15.0f);
  EXPECT_FLOAT_EQ(tkEngine().camera->getFarValue(), 500.0f);
  ASSERT_TRUE(playback.step(1000));
  EXPECT_FLOAT_EQ(tkEngine().camera->getNearValue(), 0.1f);
  EXPECT_FLOAT_EQ(tkEngine().camera->getFarValue(), 1000.0f);
}

// Times, lengths and clock origins from a demo file or a timer at the ends of
// the int range: windows that reach past the end of the range stay open, and
// the clock's differences stay at the ends instead of wrapping around (the
// sanitizer build checks that no sum overflows).
TEST_F(DemoPlaybackTest, TimesAtTheEndsOfTheIntRangeNeitherOverflowNorWrap) {
  DemoDescription demo;
  demo.parts = {part(INT_MIN), part(INT_MAX), part(INT_MAX)};
  DemoShader shader;
  shader.cameraEffect = 4;
  shader.time = INT_MAX - 10;
  shader.length = INT_MAX;
  DemoFader fader;
  fader.time = INT_MAX - 10;
  fader.length = INT_MAX;
  fader.fadeLength = INT_MIN;
  demo.parts[0].shaders = {shader};
  demo.parts[0].faders = {fader};
  DemoPlayback playback(demo, true);
  ASSERT_TRUE(playback.step(INT_MIN));
  EXPECT_EQ(playback.clock().currentPart, 0);
  ASSERT_TRUE(playback.step(INT_MAX - 5));
  EXPECT_EQ(events, std::vector<std::string>{"on 4"});
  EXPECT_TRUE(faderActive());
  ASSERT_TRUE(playback.step(INT_MAX - 1));
  EXPECT_EQ(events, std::vector<std::string>{"on 4"});  // still inside: the window ends past the range
  StopFade();

  playback.clock().origin = INT_MIN;
  EXPECT_EQ(playback.demoTime(INT_MAX), INT_MAX);
  playback.seek(1);
  EXPECT_EQ(playback.clock().origin, INT_MIN);
  EXPECT_EQ(playback.demoTime(0), INT_MAX);
  playback.clock().origin = INT_MAX;
  EXPECT_EQ(playback.demoTime(INT_MIN), INT_MIN);
}

// A music that stops before the demo's end mark (here it simply ends) hands
// the clock to the timer from where it stopped: the demo time runs on without
// a jump, the stop is said once, and the demo reaches its end mark.
TEST_F(DemoPlaybackTest, AMusicThatStopsHandsTheClockToTheTimer) {
  setenv("TESK_AUDIO_SINK", "fakesink", 1);
  test::TempFolder folder;
  const std::string tune = folder.path() + "/tune.mp3";
  ASSERT_TRUE(test::writeTone(tune, test::AudioFormat::Mp3, 1));
  ASSERT_EQ(LoadMusic(tune.c_str(), 1), 0);
  DemoDescription demo;
  demo.parts = {part(0), part(1800)};
  demo.parts[0].musicId = 1;
  // The timer the player is given: milliseconds of a clock of the test's own.
  const auto start = std::chrono::steady_clock::now();
  auto timer = [start] {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count());
  };
  DemoPlayback playback(demo, false);
  playback.clock().origin = timer();
  setLogThreshold(LOG_WARN);
  test::CapturedStdout out;
  int previous = 0, largestJump = 0, largestStepBack = 0;
  while (!playback.clock().ended && timer() < 10000) {
    const int now = timer();
    const int t = playback.demoTime(now);
    largestJump = std::max(largestJump, t - previous);
    largestStepBack = std::max(largestStepBack, previous - t);
    previous = t;
    ASSERT_TRUE(playback.step(now));
    usleep(10 * 1000);
  }
  const std::string printed = out.take();
  EXPECT_TRUE(playback.clock().ended) << "the demo did not reach its end mark; it stood at " << previous << " ms";
  EXPECT_TRUE(playback.clock().musicStopped);
  EXPECT_LT(largestJump, 200);
  EXPECT_LT(largestStepBack, 50);
  const std::string warning = "WARN : Music 1 stopped at ";
  ASSERT_NE(printed.find(warning), std::string::npos) << printed;
  EXPECT_EQ(printed.find(warning), printed.rfind(warning)) << "said more than once:\n" << printed;
  EXPECT_NE(printed.find(" ms of the demo (it ended): the demo goes on by the timer"), std::string::npos) << printed;
  DeleteMusic(1);
}

}  // namespace
}  // namespace tk
