// The example scene drawn at a moment: backdrop where nothing stands, the
// orbiting cube where its channels put it.
#include <gtest/gtest.h>

#include "api/camera_commands.h"
#include "api/render_frame.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "platform/screenshot/screenshot.h"
#include "render/engine.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

TEST(SceneRenderTest, CubeStandsWhereItsChannelsSay) {
  ASSERT_EQ(test::startGlEngine(320, 180), 0);
  fileLayer().setDirectory(TESK_SOURCE_DIR "/examples/scenes/orbit");
  SceneBases bases;
  bases.object = 1;
  bases.light = 1;
  ASSERT_EQ(LoadScene("orbit.tscn", 1, bases, false, "orbit"), 0);
  ShowScene(1);
  test::TempFolder folder;
  for (int t : {2500, 7500}) {
    AnimateScene(1, t);
    renderFrame();  // the camera follows its channels while the frame is drawn
    renderFrame();
    std::string path = folder.path() + "/frame" + std::to_string(t) + ".png";
    ASSERT_EQ(takeScreenShot(tkEngine().driver, path.c_str()), 0);
    irr::video::IImage* image = tkEngine().driver->createImageFromFile(path.c_str());
    ASSERT_TRUE(image);
    irr::video::SColor corner = image->getPixel(2, 2);
    EXPECT_EQ(corner.color & 0xFFFFFF, 0x141933u) << t;
    // Cube A orbits at radius 12: at 2.5 s it is at (12, 0, 0), at 7.5 s at (-12, 0, 0).
    float x = t == 2500 ? 12.0f : -12.0f;
    ScreenPoint p = PositionToScreen(x, 0, 0);
    ASSERT_TRUE(p.x > 0 && p.x < 320 && p.y > 0 && p.y < 180) << p.x << "," << p.y;
    irr::video::SColor atCube = image->getPixel(p.x, p.y);
    EXPECT_NE(atCube.color & 0xFFFFFF, 0x141933u) << t;
    EXPECT_GT(atCube.getGreen(), atCube.getRed()) << t;  // the cubes are teal
    image->drop();
  }
  if (const char* keep = getenv("TESK_KEEP_FRAMES")) {
    std::string copy = std::string("cp ") + folder.path() + "/*.png " + keep;
    if (system(copy.c_str()) != 0) ADD_FAILURE() << "could not keep the frames";
  }
  tkSysShutdown();
}

}  // namespace
}  // namespace tk
