// The scene viewer's loop on the null driver: start options, keys, music search,
// live updates of the scene file and the modelling package's frame.
#include "viewer/scene_viewer.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "api/engine_items.h"
#include "api/object_commands.h"
#include "api/ride_camera_animator.h"
#include "base/timer.h"
#include "music/music.h"
#include "platform/input/event_receiver.h"
#include "render/renderer_start.h"
#include "scene/scene_slots.h"
#include "tests/api/commands_fixture.h"
#include "tests/music/generated_audio.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kPausedAt = VIEWER_INTERACTIVE | VIEWER_PAUSED | VIEWER_FRAMESTART | VIEWER_NOIDLEINACTIVE;
constexpr int kTorusId = 2;  // the second object of the orbit scene

std::string readText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::trunc);
  out << text;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class SceneViewerTest : public test::EngineCommandsTest {
 protected:
  void SetUp() override {
    savedDirectory_ = fs::current_path();
    inputState() = InputState();
    EngineCommandsTest::SetUp();
  }
  void TearDown() override {
    viewer_.reset();
    EngineCommandsTest::TearDown();
    inputState() = InputState();
    fs::current_path(savedDirectory_);
  }

  // A copy of the orbit example in a folder of its own; the scene file's path.
  std::string copyOrbit() {
    fs::path scenes = fs::path(folder_.path()) / "scenes";
    fs::create_directories(scenes);
    for (const auto& entry : fs::directory_iterator(example("scenes/orbit")))
      fs::copy_file(entry.path(), scenes / entry.path().filename());
    return (scenes / "orbit.tscn").string();
  }

  SceneViewer::Started start(const std::string& file, unsigned flags, int frameStart = 0, int rideOptions = 0) {
    ViewerOptions options;
    options.flags = flags;
    options.frameStart = frameStart;
    options.rideOptions = rideOptions;
    viewer_ = std::make_unique<SceneViewer>(options);
    now_ = timerMilliseconds();
    return viewer_->start(file, now_);
  }

  void iterate(int times = 1) {
    for (int i = 0; i < times; ++i) viewer_->iterate(now_ += 16);
  }

  // Presses a key for one iteration and lets it go in the next.
  void press(int code) {
    inputState().keys[code] = 1;
    iterate();
    inputState().keys[code] = 0;
    iterate();
  }

  // Iterates until the condition holds, for at most five seconds.
  bool iterateUntil(const std::function<bool()>& condition) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
      iterate();
      if (condition()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  static irr::core::vector3df objectPosition(int id) {
    CTkObjectItem* item = objectOrReport(id);
    return item ? item->node->getPosition() : irr::core::vector3df(-1e9f, -1e9f, -1e9f);
  }

  test::TempFolder folder_;
  std::unique_ptr<SceneViewer> viewer_;
  int32_t now_ = 0;

 private:
  fs::path savedDirectory_;
};

TEST_F(SceneViewerTest, FrameStartBeyondTheEndShowsTheLastFrame) {
  ASSERT_EQ(start(example("scenes/orbit/orbit.tscn"), kPausedAt, 300), SceneViewer::Started::Playing);
  EXPECT_EQ(viewer_->clock().pausedTime(), 10000);
  iterate();
  EXPECT_EQ(viewer_->status().frame, "Frame=250.00 time=0mn10sec0 millisec=10000");
  viewer_->finish();
  EXPECT_FALSE(SceneExist(kViewerSceneId));
}

TEST_F(SceneViewerTest, AMissingSceneEndsTheViewerWithAMessage) {
  setLogThreshold(LOG_INFO);
  test::CapturedStdout out;
  EXPECT_EQ(start(folder_.path() + "/none.tscn", kPausedAt), SceneViewer::Started::Failed);
  std::string printed = out.take();
  EXPECT_NE(printed.find("Tesk Engine scene viewer started"), std::string::npos);
  EXPECT_NE(printed.find("ERROR : Failed to load scene\n"), std::string::npos) << printed;
  EXPECT_FALSE(SceneExist(kViewerSceneId));
}

TEST_F(SceneViewerTest, BinaryConversionOnlyLoadsTheScene) {
  EXPECT_EQ(start(example("scenes/orbit/orbit.tscn"), VIEWER_INTERACTIVE | VIEWER_BINARY | VIEWER_MUSIC),
            SceneViewer::Started::Done);
  EXPECT_FALSE(SceneExist(kViewerSceneId));
  EXPECT_FALSE(ObjectExist(1));
}

TEST_F(SceneViewerTest, MusicIsLookedForInMusicThenData) {
  const std::string scene =
      "{ Scene\n{ SceneInfo\nframeStart I4 0\nframeEnd I4 50\nframesPerSecond FP 25\n"
      "loadAudio STR C:\\audio\\tune.wav\n}\n}\n";
  std::string tone = folder_.path() + "/tone.mp3";
  ASSERT_TRUE(test::writeTone(tone, test::AudioFormat::Mp3, 1));
  struct Case {
    bool inMusic, inData;
    unsigned flags;
    const char* expected;
  } cases[] = {
      {true, true, kPausedAt | VIEWER_MUSIC, "Loaded Music ../music/tune.mp3\n"},
      {false, true, kPausedAt | VIEWER_MUSIC, "ERROR : Fail to load music ../data/tune.mp3\n"},
      {false, false, kPausedAt | VIEWER_MUSIC, "ERROR : Fail to find tune.mp3 in ../music or ../data\n"},
      {true, true, kPausedAt, nullptr},  // "-nomusic"
  };
  for (const Case& c : cases) {
    test::TempFolder root;
    std::string file = root.write("scenes/tune.tscn", scene);
    if (c.inMusic)
      fs::copy_file(tone, root.write("music/tune.mp3", ""), fs::copy_options::overwrite_existing);
    if (c.inData) root.write("data/tune.mp3", "not music");
    setLogThreshold(LOG_INFO);
    test::CapturedStdout out;
    ASSERT_EQ(start(file, c.flags), SceneViewer::Started::Playing);
    std::string printed = out.take();
    if (c.expected) {
      EXPECT_NE(printed.find(c.expected), std::string::npos) << printed;
    } else {
      EXPECT_EQ(printed.find("usic"), std::string::npos) << printed;
    }
    EXPECT_EQ(MusicExist(kViewerMusicId), c.inMusic && c.expected ? 1 : 0) << c.expected;
    viewer_->finish();
    EXPECT_EQ(MusicExist(kViewerMusicId), 0);
  }
}

TEST_F(SceneViewerTest, KeysPauseLoopAndToggleTheDebugView) {
  ASSERT_EQ(start(example("scenes/orbit/orbit.tscn"), kPausedAt, 100), SceneViewer::Started::Playing);
  iterate();
  press(irr::KEY_SPACE);
  EXPECT_FALSE(viewer_->clock().paused());
  press(irr::KEY_SPACE);
  EXPECT_TRUE(viewer_->clock().paused());
  int held = viewer_->clock().pausedTime();

  inputState().keys[irr::KEY_SHIFT] = 1;
  inputState().keys[irr::KEY_PLUS] = 1;
  iterate(2);
  inputState().keys[irr::KEY_PLUS] = 0;
  EXPECT_EQ(viewer_->clock().pausedTime(), held + 100);  // 50 ms per iteration with Shift
  inputState().keys[irr::KEY_SHIFT] = 0;
  inputState().keys[irr::KEY_LEFT] = 1;
  iterate();
  inputState().keys[irr::KEY_LEFT] = 0;
  EXPECT_EQ(viewer_->clock().pausedTime(), held + 95);

  EXPECT_FALSE(viewer_->clock().looping());
  press(irr::KEY_RETURN);
  EXPECT_TRUE(viewer_->clock().looping());

  irr::u32& debugView = rendering().context->getFrameSettings().debugView;
  EXPECT_EQ(debugView, 0u);
  press(irr::KEY_F12);
  EXPECT_EQ(debugView, 1u);
  press(irr::KEY_F12);
  EXPECT_EQ(debugView, 0u);
}

TEST_F(SceneViewerTest, APausedViewerInAnInactiveWindowRunsOneIterationInTen) {
  struct Case {
    unsigned flags;
    int expectedMs;
  } cases[] = {{kPausedAt, 100}, {kPausedAt & ~VIEWER_NOIDLEINACTIVE, 15}};
  for (const Case& c : cases) {
    ASSERT_EQ(start(example("scenes/orbit/orbit.tscn"), c.flags, 0), SceneViewer::Started::Playing);
    inputState().keys[irr::KEY_ADD] = 1;
    iterate(20);
    inputState().keys[irr::KEY_ADD] = 0;
    EXPECT_EQ(viewer_->clock().pausedTime(), c.expectedMs) << c.flags;
    viewer_->finish();
  }
}

TEST_F(SceneViewerTest, RightButtonRidesAndKeysOneAndTwoSetTheSpeed) {
  ASSERT_EQ(start(example("scenes/orbit/orbit.tscn"), kPausedAt), SceneViewer::Started::Playing);
  CTkSceneNodeAnimatorCamera* animator = tkEngine().rideAnimator;
  EXPECT_EQ(animator->mode(), CTkSceneNodeAnimatorCamera::MODE_FOLLOW);
  EXPECT_FLOAT_EQ(animator->moveSpeed(), 0.01f);
  inputState().rightButton = 1;
  iterate();
  inputState().rightButton = 0;
  EXPECT_TRUE(viewer_->ride().on());
  EXPECT_EQ(animator->mode(), CTkSceneNodeAnimatorCamera::MODE_DRAG);
  EXPECT_TRUE(viewer_->status().riding);
  EXPECT_EQ(viewer_->status().ride, "Ride 1000cm/s");
  EXPECT_EQ(viewer_->status().camera.position[1], "Y 8.000");

  int before = viewer_->clock().pausedTime();
  inputState().keys[irr::KEY_KEY_2] = 1;
  inputState().keys[irr::KEY_RIGHT] = 1;  // strafes while riding: the time stays
  iterate(3);
  inputState().keys[irr::KEY_KEY_2] = 0;
  inputState().keys[irr::KEY_RIGHT] = 0;
  EXPECT_EQ(viewer_->clock().pausedTime(), before);
  EXPECT_EQ(viewer_->ride().speed(), 1030);
  EXPECT_FLOAT_EQ(animator->moveSpeed(), 0.0103f);
  inputState().keys[irr::KEY_KEY_1] = 1;
  iterate(200);
  inputState().keys[irr::KEY_KEY_1] = 0;
  EXPECT_EQ(viewer_->ride().speed(), 1);

  inputState().rightButton = 1;
  iterate();
  inputState().rightButton = 0;
  EXPECT_FALSE(viewer_->ride().on());
  EXPECT_EQ(animator->mode(), CTkSceneNodeAnimatorCamera::MODE_FOLLOW);
}

TEST_F(SceneViewerTest, RideWithCollisionMakesTheSceneSolid) {
  struct Case {
    int options;
    float gravity, eyeHeight;
    int mode;
    const char* text;
  } cases[] = {
      {kRideCollide | kRideMouseLook, 0, 0, CTkSceneNodeAnimatorCamera::MODE_MOUSE_LOOK, "Ride FPS 1000cm/s"},
      {kRideCollide | kRideWalk, -0.05f, 0.6f, CTkSceneNodeAnimatorCamera::MODE_DRAG, "Ride 1000cm/s"},
  };
  auto collisionResponse = []() -> irr::scene::ISceneNodeAnimatorCollisionResponse* {
    for (irr::scene::ISceneNodeAnimator* animator : tkEngine().camera->getAnimators())
      if (animator->getType() == irr::scene::ESNAT_COLLISION_RESPONSE)
        return static_cast<irr::scene::ISceneNodeAnimatorCollisionResponse*>(animator);
    return nullptr;
  };
  for (const Case& c : cases) {
    ASSERT_EQ(start(example("scenes/orbit/orbit.tscn"), kPausedAt | VIEWER_RIDE, 0, c.options),
              SceneViewer::Started::Playing);
    EXPECT_EQ(tkEngine().rideAnimator->mode(), c.mode);
    EXPECT_FLOAT_EQ(tkEngine().rideAnimator->jumpSpeed(), 0.05f);
    for (int id = 1; id <= 4; ++id) EXPECT_TRUE(objectOrReport(id)->inCollisionSet) << id;
    irr::scene::ISceneNodeAnimatorCollisionResponse* response = collisionResponse();
    ASSERT_TRUE(response);
    EXPECT_EQ(response->getEllipsoidRadius(), irr::core::vector3df(0.2f, 0.2f, 0.2f));
    EXPECT_EQ(response->getGravity(), irr::core::vector3df(0, c.gravity, 0));
    EXPECT_EQ(response->getEllipsoidTranslation(), irr::core::vector3df(0, c.eyeHeight, 0));
    iterate();
    EXPECT_EQ(viewer_->status().ride, c.text);
    inputState().rightButton = 1;
    iterate();
    inputState().rightButton = 0;
    EXPECT_FALSE(collisionResponse());
    viewer_->finish();
  }
}

TEST_F(SceneViewerTest, LiveModeTakesUpEachNewVersionAtTheSameFrame) {
  std::string file = copyOrbit();
  std::string original = readText(file);
  ASSERT_EQ(start(file, kPausedAt | VIEWER_SYNCUPDATE, 100), SceneViewer::Started::Playing);
  ASSERT_TRUE(viewer_->live());
  iterate();
  EXPECT_EQ(objectPosition(kTorusId).X, 0.0f);
  EXPECT_EQ(viewer_->clock().pausedTime(), 4000);

  writeText(file, replaced(original, "position FP 0 2 0", "position FP 14 9 0"));
  ASSERT_TRUE(iterateUntil([] { return objectPosition(kTorusId).X == 14.0f; }));
  EXPECT_EQ(viewer_->clock().pausedTime(), 4000);
  EXPECT_FALSE(viewer_->status().updateFailed);

  // A version that cannot be read keeps the scene on screen with the failure text.
  writeText(file, "not a scene at all\n");
  ASSERT_TRUE(iterateUntil([this] { return viewer_->status().updateFailed; }));
  EXPECT_EQ(objectPosition(kTorusId).X, 14.0f);

  // The next good export clears it; frame 100 of a scene from frame 50 is at 2 s.
  std::string later = replaced(original, "frameStart I4 0", "frameStart I4 50");
  writeText(file, replaced(later, "frameEnd I4 250", "frameEnd I4 300"));
  ASSERT_TRUE(iterateUntil([this] { return !viewer_->status().updateFailed; }));
  EXPECT_EQ(viewer_->clock().pausedTime(), 2000);
  EXPECT_EQ(viewer_->status().frame, "Frame=100.00 time=0mn2sec0 millisec=2000");
  EXPECT_EQ(objectPosition(kTorusId).X, 0.0f);
}

TEST_F(SceneViewerTest, LiveModeFollowsTheModellingPackagesFrame) {
  inputState().syncFrame = 7;  // a frame received before the viewer started is not followed
  ASSERT_EQ(start(example("scenes/orbit/orbit.tscn"), kPausedAt | VIEWER_SYNCUPDATE, 50),
            SceneViewer::Started::Playing);
  iterate();
  EXPECT_EQ(viewer_->clock().pausedTime(), 2000);
  inputState().syncFrame = 125;
  iterate();
  EXPECT_EQ(viewer_->clock().pausedTime(), 5000);
  EXPECT_EQ(viewer_->status().frame, "Frame=125.00 time=0mn5sec0 millisec=5000");
  press(irr::KEY_SPACE);  // playing: the frame moves the origin
  inputState().syncFrame = 25;
  iterate();
  EXPECT_EQ(viewer_->status().frame, "Frame=25.00 time=0mn1sec0 millisec=1000");
}

TEST_F(SceneViewerTest, WithoutLiveModeTheFrameAndTheFileAreIgnored) {
  std::string file = copyOrbit();
  ASSERT_EQ(start(file, kPausedAt, 50), SceneViewer::Started::Playing);
  EXPECT_FALSE(viewer_->live());
  inputState().syncFrame = 125;
  iterate();
  EXPECT_EQ(viewer_->clock().pausedTime(), 2000);
}

}  // namespace
}  // namespace tk
