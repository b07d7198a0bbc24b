// Window sizes and depths on a real X display: what the window system and the
// GL driver would fail on (or crash in) is refused before a device is made,
// and the engine starts again afterwards.
#include <gtest/gtest.h>

#include "api/render_frame.h"
#include "base/log.h"
#include "platform/window/screen_size.h"
#include "render/engine.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

SysSetup display(int width, int height, int colorBits, int windowed) {
  SysSetup setup;
  setup.width = width;
  setup.height = height;
  setup.colorBits = colorBits;
  setup.windowed = windowed;
  setup.vsync = 0;
  return setup;
}

TEST(DisplayLimitsDrawTest, ImpossibleSizesAreRefusedBetweenTwoGoodStarts) {
  disableMessageBoxes();
  ScreenSize screen;
  ASSERT_TRUE(defaultScreenSize(&screen));
  ASSERT_EQ(tkSysSetup(display(320, 240, 32, 1)), 0);
  renderFrame();
  struct Case {
    SysSetup setup;
    std::string error;
  } cases[] = {
      {display(-5, -5, 32, 1), "window size -5 x -5 is out of range (1 to 16384 pixels a side)"},
      {display(320, 240, 8, 1), "colour depth 8 is not supported (16, 24 or 32 bits)"},
      {display(screen.width + 1, screen.height, 32, 0),
       "full-screen size " + std::to_string(screen.width + 1) + " x " + std::to_string(screen.height) +
           " is larger than the screen (" + std::to_string(screen.width) + " x " + std::to_string(screen.height) +
           ")"},
  };
  for (const Case& c : cases) {
    {
      test::CapturedStdout quiet;
      EXPECT_EQ(tkSysSetup(c.setup), -1) << c.error;
    }
    EXPECT_EQ(startupErrorText(), c.error);
    EXPECT_FALSE(tkEngineSetUp());
  }
  // A window larger than the screen is the window system's to clip.
  ASSERT_EQ(tkSysSetup(display(screen.width + 16, 48, 24, 1)), 0);
  renderFrame();
  EXPECT_EQ(tkEngine().width, screen.width + 16);
  tkSysShutdown();
}

}  // namespace
}  // namespace tk
