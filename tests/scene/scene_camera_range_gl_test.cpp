// A scene's own camera range ("CH_CAMERARANGE_*", applied when the scene is
// shown) draws exactly what lies between its planes, like SetCameraRange.
#include <gtest/gtest.h>

#include <string>

#include "api/render_frame.h"
#include "render/engine.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// The example badge (a cube of 1.2 units) scaled to 2 units, 10 units in
// front of the scene's camera: its faces stand at 9 and 11.
std::string sceneWithRange(float nearValue, float farValue) {
  return "{ Scene\n{ SceneInfo\nframeStart I4 0\nframeEnd I4 10\nframeStep I4 1\nframesPerSecond FP 25\n}\n"
         "{ BackdropInfo\nzenith FP 0.1 0.2 0.3\n}\n{ LightInfo\nambient FP 1 1 1\n}\n"
         "{ TeskRenderSettings\nCH_CAMERARANGE_ENABLE I4 1\nCH_CAMERARANGE_MIN FP " +
         std::to_string(nearValue) + "\nCH_CAMERARANGE_MAX FP " + std::to_string(farValue) +
         "\n}\n"
         "{ Cameras\n{ Camera\nposition FP 0 0 -10\nrotation FP 0 0 0\nzoomFactor FP 1\n}\n}\n"
         "{ Objects\n{ Object\nname STR Badge\ntfilename STR " TESK_SOURCE_DIR "/examples/scenes/badge/badge.obj\n"
         "position FP 0 0 0\nscale FP 1.6666667 1.6666667 1.6666667\n}\n}\n}\n";
}

TEST(SceneCameraRangeDrawTest, TheScenesRangeCutsLikeTheCommand) {
  ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0);
  struct Case {
    float nearValue, farValue;
    bool drawn;
  } cases[] = {{1, 1000, true}, {9.5f, 1000, false}, {15, 1000, false}, {1, 9.5f, true}, {1, 5, false}};
  test::TempFolder folder;
  for (const Case& c : cases) {
    std::string path = folder.write("range.tscn", sceneWithRange(c.nearValue, c.farValue));
    {
      test::CapturedStdout quiet;
      ASSERT_EQ(LoadScene(path.c_str(), 1, SceneBases{1, 1}, false, "range"), 0);
    }
    ShowScene(1);
    AnimateScene(1, 0);
    renderFrame();  // the camera takes its place while a frame is drawn
    renderFrame();
    std::vector<uint8_t> rgb = test::lastFrameRgb();
    ASSERT_EQ(rgb.size(), size_t{kWidth * kHeight * 3});
    const uint8_t* middle = &rgb[((kHeight / 2) * kWidth + kWidth / 2) * 3];
    const uint8_t* corner = &rgb[0];
    bool drawn = middle[0] != corner[0] || middle[1] != corner[1] || middle[2] != corner[2];
    EXPECT_EQ(drawn, c.drawn) << "range " << c.nearValue << " to " << c.farValue;
    DeleteScene(1);
  }
  tkSysShutdown();
}

}  // namespace
}  // namespace tk
