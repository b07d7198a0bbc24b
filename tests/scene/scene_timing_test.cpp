// A scene file's timing as written by anyone: frame counts, rates and steps
// that are 0, negative, not a number or huge give answers that fit an int, and
// animating such a scene at any moment neither overflows nor divides by zero.
#include <climits>
#include <string>

#include "api/engine_items.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "tests/api/commands_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

struct TimingCase {
  const char* sceneInfo;  // the lines of "SceneInfo"
  int timeEnd, fps;
  bool animated;
  int musicOffset;
};

// One camera, two lights (a distant one with a distant shadow) and one object
// whose mesh is the example badge.
std::string sceneText(const char* sceneInfo) {
  return std::string("{ Scene\n{ SceneInfo\n") + sceneInfo +
         "\n}\n"
         "{ Cameras\n{ Camera\nposition FP_C [\nRUN 3 0\nRUN 3 0\nDAT 3 -10 -9 -8\n]\nzoomFactor FP 3.2\n}\n}\n"
         "{ Lights\n{ Light\nname STR Sun\ntype I4 0\nshadowType I4 2\ndistantShadowDimWidth FP 1e30\n"
         "distantShadowDimHeight FP -1e30\nrawColor FP 1e30 -1e30 nan\nintensity FP inf\n}\n}\n"
         "{ Objects\n{ Object\nname STR Badge\ntfilename STR " TESK_SOURCE_DIR "/examples/scenes/badge/badge.obj\n"
         "position FP_C [\nDAT 3 0 1 2\nRUN 3 0\nRUN 3 0\n]\n}\n}\n}\n";
}

class SceneTimingTest : public test::EngineCommandsTest {};

TEST_F(SceneTimingTest, TimingAnswersFitAndEveryMomentAnimates) {
  const TimingCase cases[] = {
      {"frameStart I4 0\nframeEnd I4 100\nframeStep I4 1\nframesPerSecond FP 25", 4000, 25, true, 0},
      {"frameStart I4 0\nframeEnd I4 100\nframeStep I4 0\nframesPerSecond FP 0", 0, 0, true, 0},
      {"frameStart I4 10\nframeEnd I4 100\nframeStep I4 -3\nframesPerSecond FP nan", 0, 0, true, 0},
      {"frameStart I4 0\nframeEnd I4 100\nframesPerSecond FP -25", 0, -25, true, 0},
      {"frameStart I4 0\nframeEnd I4 100\nframesPerSecond FP 0.5", 0, 0, true, 0},
      {"frameStart I4 0\nframeEnd I4 100\nframesPerSecond FP inf", 0, INT_MAX, true, 0},
      {"frameStart I4 0\nframeEnd I4 100\nframesPerSecond FP -1e30", 0, INT_MIN, true, 0},
      {"frameStart I4 -2147483648\nframeEnd I4 2147483647\nframeStep I4 2147483647\nframesPerSecond FP 1", INT_MAX,
       1, true, INT_MIN},
      {"frameStart I4 2147483647\nframeEnd I4 -2147483648\nframesPerSecond FP 1", INT_MIN, 1, false, INT_MAX},
      {"frameStart I4 2147483647\nframeEnd I4 2147483647\nframesPerSecond FP 1e-30\naudioStartTime FP 1e30", 0, 0,
       false, INT_MAX},
      {"frameStart I4 -2147483648\nframesPerSecond FP 1e-30\naudioStartTime FP -1e30", 0, 0, true, INT_MIN},
      {"frameStart I4 5\nframesPerSecond FP 10\naudioStartTime FP nan", -500, 10, false, 0},
  };
  test::TempFolder folder;
  const int moments[] = {INT_MIN, -1, 0, 1, 1000, INT_MAX};
  for (const TimingCase& c : cases) {
    std::string path = folder.write("timing.tscn", sceneText(c.sceneInfo));
    test::CapturedStdout quiet;
    ASSERT_EQ(LoadScene(path.c_str(), 1, SceneBases{1, 1}, false, "timing"), 0) << c.sceneInfo;
    EXPECT_EQ(SceneAnimTimeEnd(1), c.timeEnd) << c.sceneInfo;
    EXPECT_EQ(SceneFps(1), c.fps) << c.sceneInfo;
    EXPECT_EQ(sceneAnimated(1), c.animated) << c.sceneInfo;
    EXPECT_EQ(sceneMusicOffset(1), c.musicOffset) << c.sceneInfo;
    ShowScene(1);
    for (int t : moments) {
      AnimateScene(1, t);
      AnimateSceneObject(1, t, 1);
      AnimateSceneProcessing(1, t);
      AnimateSceneCameraShaders(1, t);
      EXPECT_EQ(failure(), "") << c.sceneInfo << " at " << t;
    }
    DeleteScene(1);
  }
}

}  // namespace
}  // namespace tk
