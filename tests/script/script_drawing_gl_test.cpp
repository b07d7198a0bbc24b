// A script's frame on the OpenGL driver: the default scene's backdrop, an
// object placed and lit from Lua, and a fade drawn over everything.
#include "render/engine.h"
#include "tests/script/script_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

using ScriptDrawingTest = test::ScriptTest;

TEST_F(ScriptDrawingTest, ScriptDrawsTheDefaultSceneItsObjectAndAFade) {
  test::TempFolder folder;
  std::string shot = folder.path() + "/frame.png";
  std::string faded = folder.path() + "/faded.png";
  ASSERT_EQ(run("tk.Setup(320, 240, 32, true) "
                "tk.LoadObject('" + example("objects/torus.obj") + "', 1) "
                "tk.PositionObject(1, 0, 0, 40) tk.RotateObject(1, 90, 0, 0) "
                "tk.SetDirectionalLight(0, 30, 20, 0) "
                "for i = 1, 3 do tk.Sync() end "
                "x, y = tk.PositionToScreen(10, 0, 40) "
                "tk.ScreenShot('" + shot + "') "
                // The GUI's clock, which times the fade, moves on when the device runs.
                "tk.FadeOut(1, 0xFF0000) tk.Sleep(20) tk.Run() tk.Sync() "
                "tk.ScreenShot('" + faded + "')"),
            "");
  lua_getglobal(L, "x");
  lua_getglobal(L, "y");
  int x = static_cast<int>(lua_tointeger(L, -2)), y = static_cast<int>(lua_tointeger(L, -1));
  lua_pop(L, 2);
  ASSERT_TRUE(x > 0 && x < 320 && y > 0 && y < 240) << x << "," << y;

  irr::video::IImage* frame = tkEngine().driver->createImageFromFile(shot.c_str());
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->getPixel(2, 2).color & 0xFFFFFF, 0x001122u);  // Setup's backdrop
  EXPECT_NE(frame->getPixel(x, y).color & 0xFFFFFF, 0x001122u);  // the ring of the torus
  frame->drop();

  irr::video::IImage* fade = tkEngine().driver->createImageFromFile(faded.c_str());
  ASSERT_TRUE(fade);
  for (auto [px, py] : {std::pair{2, 2}, std::pair{x, y}}) EXPECT_EQ(fade->getPixel(px, py).color & 0xFFFFFF, 0xFF0000u);
  fade->drop();
}

}  // namespace
}  // namespace tk
