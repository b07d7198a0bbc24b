// Keys and the mouse as the X server delivers them to the engine window.
#include <gtest/gtest.h>
// X11 after the test framework: its macros (None, Bool) clash with names used there.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "base/log.h"
#include "platform/input/event_receiver.h"
#include "platform/window/window.h"
#include "render/engine.h"
#include "startup/sys_setup.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

class WindowInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(200, 150), 0);
    handle = windowOf(tkEngine().device);
    ASSERT_TRUE(handle.valid());
    display = static_cast<Display*>(handle.display);
    pump();
    XSetInputFocus(display, handle.window, RevertToParent, CurrentTime);
    pump();
  }
  void TearDown() override { tkSysShutdown(); }

  void pump() {
    XSync(display, False);
    for (int i = 0; i < 5; ++i) tkEngine().device->run();
  }

  void key(KeySym symbol, bool down) {
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), down, 0);
    pump();
  }

  WindowHandle handle;
  Display* display = nullptr;
};

TEST_F(WindowInputTest, KeysArriveWithTheirVirtualKeyCodes) {
  struct Case {
    KeySym symbol;
    int code;
  } cases[] = {{XK_Return, 13}, {XK_space, 32}, {XK_Left, 37}, {XK_Up, 38},    {XK_Right, 39},
               {XK_Down, 40},   {XK_1, 49},     {XK_2, 50},    {XK_F12, 123}, {XK_KP_Subtract, 109},
               {XK_KP_Add, 107}, {XK_minus, 189}, {XK_equal, 187}, {XK_a, 65}};
  for (const Case& c : cases) {
    key(c.symbol, true);
    EXPECT_TRUE(inputState().keyHeld(c.code)) << "keysym " << c.symbol << " should give " << c.code;
    key(c.symbol, false);
    EXPECT_FALSE(inputState().keyHeld(c.code)) << c.code;
  }
}

TEST_F(WindowInputTest, ShiftAndEscapeLatch) {
  key(XK_Shift_L, true);
  key(XK_a, true);
  EXPECT_TRUE(inputState().keyHeld(16));
  key(XK_a, false);
  key(XK_Shift_L, false);
  key(XK_Escape, true);
  key(XK_Escape, false);
  EXPECT_FALSE(inputState().keyHeld(27));
  EXPECT_TRUE(inputState().escapeEverPressed());
}

TEST_F(WindowInputTest, CursorOutsideTheWindowIsClamped) {
  XWindowAttributes attributes;
  XGetWindowAttributes(display, handle.window, &attributes);
  int width = attributes.width, height = attributes.height;
  XWarpPointer(display, None, handle.window, 0, 0, 0, 0, 30, 40);
  pump();
  EXPECT_EQ(mouseX(tkEngine().device), 30);
  EXPECT_EQ(mouseY(tkEngine().device), 40);
  Window child;
  int rootX, rootY;
  XTranslateCoordinates(display, handle.window, DefaultRootWindow(display), 0, 0, &rootX, &rootY, &child);
  if (rootX >= 10) {
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, rootX - 10, rootY + 5);
    pump();
    EXPECT_EQ(mouseX(tkEngine().device), -1);
  }
  XWarpPointer(display, None, handle.window, 0, 0, 0, 0, width + 20, height + 20);
  pump();
  EXPECT_EQ(mouseX(tkEngine().device), width + 1);
  EXPECT_EQ(mouseY(tkEngine().device), height + 1);
}

TEST_F(WindowInputTest, HideAndShowMapTheWindow) {
  auto mapped = [&] {
    XWindowAttributes attributes;
    XGetWindowAttributes(display, handle.window, &attributes);
    return attributes.map_state == IsViewable;
  };
  EXPECT_TRUE(mapped());
  hideWindow(tkEngine().device);
  pump();
  EXPECT_FALSE(mapped());
  showWindow(tkEngine().device);
  pump();
  EXPECT_TRUE(mapped());
  EXPECT_FALSE(tkEngine().device->isFullscreen());
  EXPECT_EQ(colorFormatDepth(tkEngine().driver->getColorFormat()) % 8, 0);
}

}  // namespace
}  // namespace tk
