#include "viewer/viewer_clock.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "base/log.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

// Records what the clock asks of the music; its position is set by the test.
class FakeMusic : public ViewerMusic {
 public:
  void playFrom(int positionMs) override { calls.push_back("play " + std::to_string(positionMs)); }
  void pause() override { calls.push_back("pause"); }
  void seek(int positionMs) override { calls.push_back("seek " + std::to_string(positionMs)); }
  int position() override { return reported; }
  std::string clockFault() override { return fault; }

  std::vector<std::string> calls;
  int reported = -1;
  std::string fault;
};

// 100 frames from frame 10 at 25 frames per second: 4 seconds.
SceneTiming hundredFrames(int musicOffset = 0) {
  SceneTiming timing;
  timing.firstFrame = 10;
  timing.frameRate = 25;
  timing.lengthMs = 4000;
  timing.frameSpan = 100;
  timing.musicOffsetMs = musicOffset;
  return timing;
}

constexpr int32_t kNow = 100000;

TEST(ViewerClockTest, FrameStartIsKeptWithinTheScene) {
  struct Case {
    int frameStart;
    int expected;
  } cases[] = {{10, 0}, {35, 1000}, {36, 1040}, {110, 4000}, {160, 4000}, {0, 0}, {-50, 0}};
  for (const Case& c : cases) {
    ViewerClock clock(hundredFrames(), nullptr);
    clock.start(kNow, true, true, c.frameStart);
    EXPECT_EQ(clock.pausedTime(), c.expected) << c.frameStart;
    EXPECT_EQ(clock.sceneTime(kNow + 500), c.expected) << c.frameStart;
  }
}

TEST(ViewerClockTest, PlayingStartRunsOnTheTimerFromTheFrameStart) {
  ViewerClock clock(hundredFrames(), nullptr);
  clock.start(kNow, false, true, 35);
  EXPECT_FALSE(clock.paused());
  EXPECT_EQ(clock.sceneTime(kNow), 1000);
  EXPECT_EQ(clock.sceneTime(kNow + 250), 1250);
  EXPECT_DOUBLE_EQ(clock.frameAt(1250), 41.25);
}

TEST(ViewerClockTest, WithoutLoopTheEndPausesOnTheLastFrameAndSpaceStartsOver) {
  FakeMusic music;
  ViewerClock clock(hundredFrames(300), &music);
  clock.start(kNow, false, false, 0);
  EXPECT_EQ(music.calls, std::vector<std::string>{"play 300"});
  clock.keepWithinScene(kNow + 3999);
  EXPECT_FALSE(clock.paused());
  clock.keepWithinScene(kNow + 4000);
  EXPECT_TRUE(clock.paused());
  EXPECT_EQ(clock.pausedTime(), 4000);
  EXPECT_EQ(clock.sceneTime(kNow + 9000), 4000);
  clock.togglePause(kNow + 9000);
  EXPECT_FALSE(clock.paused());
  EXPECT_EQ(clock.sceneTime(kNow + 9000), 0);
  EXPECT_EQ(music.calls, (std::vector<std::string>{"play 300", "pause", "play 300"}));
}

TEST(ViewerClockTest, LoopStartsOverAndTheMusicWithIt) {
  FakeMusic music;
  ViewerClock clock(hundredFrames(300), &music);
  clock.start(kNow, false, false, 0);
  clock.toggleLoop();
  clock.keepWithinScene(kNow + 4100);
  EXPECT_FALSE(clock.paused());
  EXPECT_EQ(clock.origin(), kNow + 4000);
  EXPECT_EQ(clock.sceneTime(kNow + 4100), 100);
  EXPECT_EQ(music.calls.back(), "seek 400");
}

TEST(ViewerClockTest, PauseHoldsTheTimeAndResumeContinuesFromIt) {
  FakeMusic music;
  ViewerClock clock(hundredFrames(300), &music);
  clock.start(kNow, false, false, 0);
  clock.togglePause(kNow + 1500);
  EXPECT_EQ(clock.sceneTime(kNow + 5000), 1500);
  clock.togglePause(kNow + 5000);
  EXPECT_EQ(clock.sceneTime(kNow + 5000), 1500);
  EXPECT_EQ(clock.origin(), kNow + 3500);
  EXPECT_EQ(music.calls, (std::vector<std::string>{"play 300", "pause", "play 1800"}));
}

TEST(ViewerClockTest, StepsMoveThePausedTimeByFiveAndThePlayingTimeByTen) {
  struct Case {
    bool paused;
    int steps;
    int expected;
  } cases[] = {
      {true, 1, 2005},   {true, -1, 1995},   {true, 10, 2050},  // Shift and "+" while paused: 50 ms
      {false, 1, 2010},  {false, -10, 1900},
  };
  for (const Case& c : cases) {
    FakeMusic music;
    ViewerClock clock(hundredFrames(300), &music);
    clock.start(kNow, c.paused, true, 60);  // 2000 ms
    clock.step(kNow, c.steps);
    EXPECT_EQ(clock.sceneTime(kNow), c.expected) << c.paused << " " << c.steps;
    if (!c.paused) {
      EXPECT_EQ(music.calls.back(), "seek " + std::to_string(c.expected + 300));
    }
  }
}

TEST(ViewerClockTest, PausedStepsStayWithinTheScene) {
  ViewerClock clock(hundredFrames(), nullptr);
  clock.start(kNow, true, true, 109);  // 3960 ms
  for (int i = 0; i < 20; ++i) clock.step(kNow, 10);
  EXPECT_EQ(clock.pausedTime(), 4000);
  for (int i = 0; i < 100; ++i) clock.step(kNow, -10);
  EXPECT_EQ(clock.pausedTime(), 0);
}

TEST(ViewerClockTest, SteppingBeforeTheStartPausesAtZero) {
  FakeMusic music;
  ViewerClock clock(hundredFrames(), &music);
  clock.start(kNow, false, false, 0);
  clock.step(kNow + 20, -5);
  clock.keepWithinScene(kNow + 20);
  EXPECT_TRUE(clock.paused());
  EXPECT_EQ(clock.pausedTime(), 0);
  EXPECT_EQ(music.calls.back(), "pause");
}

TEST(ViewerClockTest, PlayingTimeFollowsTheMusicWhenItReportsAPosition) {
  FakeMusic music;
  ViewerClock clock(hundredFrames(300), &music);
  clock.start(kNow, false, false, 0);
  EXPECT_EQ(clock.sceneTime(kNow + 1000), 1000);  // no position yet: the timer
  music.reported = 2300;
  EXPECT_EQ(clock.sceneTime(kNow + 1000), 2000);
  music.reported = 100;  // before the scene's start
  EXPECT_EQ(clock.sceneTime(kNow + 1000), 0);
  clock.togglePause(kNow + 1000);
  music.reported = 2900;  // a paused clock ignores the music
  EXPECT_EQ(clock.sceneTime(kNow + 1000), 0);
}

TEST(ViewerClockTest, SyncFramesBecomeTimesRoundedUpAndKeptWithinTheScene) {
  // At 30 frames per second one frame is 33.33 ms.
  struct Case {
    uint32_t frame;
    int expected;
  } cases[] = {{10, 0}, {11, 34}, {35, 834}, {5, 0}, {130, 4000}, {0xFFFFFFF, 4000}};
  SceneTiming timing = hundredFrames();
  timing.frameRate = 30;
  for (const Case& c : cases) {
    ViewerClock clock(timing, nullptr);
    clock.start(kNow, true, false, 0);
    clock.jumpTo(kNow, clock.timeOfSyncFrame(c.frame));
    EXPECT_EQ(clock.pausedTime(), c.expected) << c.frame;
  }
}

TEST(ViewerClockTest, AJumpWhilePlayingMovesTheOriginAndTheMusic) {
  FakeMusic music;
  ViewerClock clock(hundredFrames(300), &music);
  clock.start(kNow, false, false, 0);
  clock.jumpTo(kNow + 500, 3000);
  EXPECT_EQ(clock.sceneTime(kNow + 500), 3000);
  EXPECT_EQ(music.calls.back(), "seek 3300");
}

// A music shorter than the scene (or one that fails or stalls) hands the scene
// over to the timer where it stopped, instead of holding the scene still there.
TEST(ViewerClockTest, AMusicThatStopsMovingOnHandsOverToTheTimer) {
  setLogThreshold(LOG_WARN);
  test::CapturedStdout out;
  FakeMusic music;
  ViewerClock clock(hundredFrames(300), &music);
  clock.start(kNow, false, false, 0);
  music.reported = 2300;
  EXPECT_EQ(clock.sceneTime(kNow + 1000), 2000);  // the music leads
  music.fault = "it ended";
  EXPECT_EQ(clock.sceneTime(kNow + 1500), 2000);
  EXPECT_EQ(clock.sceneTime(kNow + 2500), 3000);
  EXPECT_NE(out.take().find("The music stopped at 2000 ms of the scene (it ended)"), std::string::npos);
  // A jump gives the music the lead again; a second stop goes unsaid.
  clock.jumpTo(kNow + 2500, 500);
  music.fault.clear();
  music.reported = 1300;
  EXPECT_EQ(clock.sceneTime(kNow + 2600), 1000);
  music.fault = "it ended";
  EXPECT_EQ(clock.sceneTime(kNow + 2700), 1000);
  EXPECT_EQ(clock.sceneTime(kNow + 2800), 1100);
  EXPECT_EQ(out.take().find("The music stopped"), std::string::npos);
  setLogThreshold(LOG_INFO);
}

TEST(ViewerClockTest, ScenesWithoutAFrameRateStayAtZero) {
  SceneTiming timing;  // rate 0, length 0
  ViewerClock clock(timing, nullptr);
  clock.start(kNow, false, true, 50);
  EXPECT_EQ(clock.timeOfSyncFrame(70), 0);
  EXPECT_EQ(clock.timeOfFrame(70.0), 0);
  clock.toggleLoop();
  clock.keepWithinScene(kNow + 100);
  EXPECT_EQ(clock.sceneTime(kNow + 100), 0);
}

TEST(ViewerClockTest, APausedSceneIsAnimatedOnlyWhenItsTimeChangesOrItWasMarked) {
  ViewerClock clock(hundredFrames(), nullptr);
  clock.start(kNow, true, false, 0);
  EXPECT_TRUE(clock.needsAnimation(0));  // the start marks it
  EXPECT_FALSE(clock.needsAnimation(0));
  EXPECT_TRUE(clock.needsAnimation(5));
  EXPECT_FALSE(clock.needsAnimation(5));
  clock.markForAnimation();
  EXPECT_TRUE(clock.needsAnimation(5));
  clock.togglePause(kNow);
  EXPECT_TRUE(clock.needsAnimation(5));  // playing: every iteration
  EXPECT_TRUE(clock.needsAnimation(5));
}

TEST(ViewerClockTest, TimesOfFramesSurviveANewTiming) {
  ViewerClock clock(hundredFrames(), nullptr);
  clock.start(kNow, true, true, 60);
  double frame = clock.frameAt(clock.sceneTime(kNow));
  EXPECT_DOUBLE_EQ(frame, 60.0);
  SceneTiming moved = hundredFrames();
  moved.firstFrame = 50;
  moved.frameRate = 50;
  clock.setTiming(moved);
  clock.jumpTo(kNow, clock.timeOfFrame(frame));
  EXPECT_EQ(clock.pausedTime(), 200);
}

// A scene as long as an int can count, with music offsets, timer values,
// steps and jumps at both ends of the range: the clock's sums stay at the ends
// of the range instead of wrapping around (the sanitizer build checks that no
// sum overflows), and the scene time stays within the scene.
TEST(ViewerClockTest, ExtremeLengthsOffsetsAndStepsStayWithinTheIntRange) {
  struct Case {
    int musicOffset;
    int32_t now;
    int steps;
    int jump;
  } cases[] = {
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {INT_MIN, INT_MIN, INT_MIN, INT_MIN},
      {INT_MAX, 0, INT_MIN, INT_MIN},       {INT_MIN, INT_MAX, INT_MAX, INT_MAX},
  };
  for (const Case& c : cases) {
    SceneTiming timing = hundredFrames(c.musicOffset);
    timing.lengthMs = INT_MAX;
    timing.frameRate = INT_MAX;
    FakeMusic music;
    music.reported = c.now;
    ViewerClock clock(timing, &music);
    clock.start(c.now, false, true, INT_MIN);
    clock.toggleLoop();
    for (int i = 0; i < 3; ++i) {
      clock.step(c.now, c.steps);
      clock.keepWithinScene(c.now);
      int t = clock.sceneTime(c.now);
      EXPECT_TRUE(t >= 0 && t <= INT_MAX) << t;
    }
    if (!clock.paused()) clock.togglePause(c.now);
    clock.jumpTo(c.now, c.jump);
    clock.step(c.now, c.steps);
    EXPECT_EQ(clock.pausedTime(), c.jump < 0 ? 0 : INT_MAX) << c.musicOffset;
  }
}

}  // namespace
}  // namespace tk
