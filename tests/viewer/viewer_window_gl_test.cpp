// The scene viewer's window on the X server: frame messages from the modelling
// package, its place beside the package's window, and the loading screen.
#include <gtest/gtest.h>
// X11 after the test framework: its macros (None, Bool) clash with names used there.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "base/log.h"
#include "platform/input/event_receiver.h"
#include "platform/screenshot/frame_keeper.h"
#include "platform/window/window.h"
#include "render/engine.h"
#include "render/loading/loading_screen.h"
#include "startup/sys_setup.h"
#include "viewer/frame_message.h"
#include "viewer/modelling_package.h"

namespace tk {
namespace {

class ViewerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disableMessageBoxes();
    inputState() = InputState();
    SysSetup setup;
    setup.width = 320;
    setup.height = 240;
    setup.vsync = 0;
    ASSERT_EQ(tkSysSetup(setup), 0);
    viewer = windowOf(tkEngine().device);
    ASSERT_TRUE(viewer.valid());
    XSync(static_cast<Display*>(viewer.display), False);
    // Another client, as the modelling package is.
    package = XOpenDisplay(nullptr);
    ASSERT_TRUE(package);
  }
  void TearDown() override {
    if (package) XCloseDisplay(package);
    tkSysShutdown();
    inputState() = InputState();
  }

  // Runs the device until the condition holds, for at most five seconds.
  template <typename Condition>
  bool runUntil(Condition condition) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
      if (!tkEngine().device->run()) return false;
      if (condition()) return true;
    }
    return false;
  }

  Window makePackageWindow(const char* title) {
    Window window = XCreateSimpleWindow(package, DefaultRootWindow(package), 0, 0, 100, 100, 0, 0, 0);
    XStoreName(package, window, title);
    XMapWindow(package, window);
    XSync(package, False);
    return window;
  }

  std::vector<Atom> windowStates() {
    Display* display = static_cast<Display*>(viewer.display);
    XSync(display, False);
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    std::vector<Atom> states;
    if (XGetWindowProperty(package, viewer.window, XInternAtom(package, "_NET_WM_STATE", False), 0, 64, False,
                           XA_ATOM, &type, &format, &count, &remaining, &data) == Success &&
        data) {
      Atom* atoms = reinterpret_cast<Atom*>(data);
      states.assign(atoms, atoms + count);
      XFree(data);
    }
    return states;
  }

  WindowHandle viewer;
  Display* package = nullptr;
};

TEST_F(ViewerWindowTest, FrameMessagesFromAnotherProgramSetTheSyncFrame) {
  std::vector<unsigned long> viewers = findViewerWindows(package);
  ASSERT_NE(std::find(viewers.begin(), viewers.end(), viewer.window), viewers.end());
  for (uint32_t frame : {4321u, 0u, 0xFFFFFFFFu}) {
    ASSERT_TRUE(sendSyncFrame(package, viewer.window, frame));
    EXPECT_TRUE(runUntil([frame] { return inputState().syncFrame == frame; })) << frame;
  }
  EXPECT_FALSE(inputState().escapeEverPressed());
  EXPECT_TRUE(tkEngine().device->run());  // the message is not taken for a close request
}

TEST_F(ViewerWindowTest, TheViewerIsOwnedByThePackagesWindowOrKeptAboveTheOthers) {
  Window other = makePackageWindow("LightWave Modeler");
  EXPECT_EQ(placeBesideModellingPackage(tkEngine().device), PackagePlacement::AboveOthers);
  Atom above = XInternAtom(package, "_NET_WM_STATE_ABOVE", False);
  std::vector<Atom> states = windowStates();
  EXPECT_NE(std::find(states.begin(), states.end(), above), states.end());

  Window layout = makePackageWindow("LightWave 2020 - NewTek - Layout");
  EXPECT_EQ(findModellingPackageWindow(package), layout);
  EXPECT_EQ(placeBesideModellingPackage(tkEngine().device), PackagePlacement::OwnedByPackage);
  XSync(static_cast<Display*>(viewer.display), False);
  Window owner = 0;
  ASSERT_TRUE(XGetTransientForHint(package, viewer.window, &owner));
  EXPECT_EQ(owner, layout);
  XDestroyWindow(package, layout);
  XDestroyWindow(package, other);
}

TEST_F(ViewerWindowTest, TheLoadingScreenShowsTheBarAndThePercentage) {
  std::vector<uint8_t> rgb;
  int width = 0, height = 0;
  auto pixel = [&](int x, int y) {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return (p[0] << 16) | (p[1] << 8) | p[2];
  };
  sceneLoadProgress(50, nullptr);
  ASSERT_TRUE(frameKeeper().readRgb(&rgb, &width, &height));
  ASSERT_EQ(width, 320);
  LoadingBarRects bar = loadingBarRects(320, 240, 0, 50);
  EXPECT_EQ(pixel(bar.frame.UpperLeftCorner.X + 1, bar.frame.UpperLeftCorner.Y + 1), 0xFFFFFF);
  EXPECT_EQ(pixel(bar.fill.UpperLeftCorner.X + 2, bar.fill.getCenter().Y), 0x4488FF);
  EXPECT_EQ(pixel(bar.fill.LowerRightCorner.X + 2, bar.fill.getCenter().Y), 0x000000);
  EXPECT_EQ(pixel(bar.inner.LowerRightCorner.X - 2, bar.fill.getCenter().Y), 0x000000);
  EXPECT_EQ(pixel(2, 200), 0x000000);

  // At 0 % only the percentage shows, in white near the top left corner.
  sceneLoadProgress(0, nullptr);
  ASSERT_TRUE(frameKeeper().readRgb(&rgb, &width, &height));
  EXPECT_EQ(pixel(bar.frame.UpperLeftCorner.X + 1, bar.frame.UpperLeftCorner.Y + 1), 0x000000);
  int white = 0;
  for (int y = 10; y < 30; ++y)
    for (int x = 10; x < 40; ++x) white += pixel(x, y) == 0xFFFFFF;
  EXPECT_GT(white, 5);
}

// The demo's loading screen draws the built-in emblem: two bars crossing at
// the centre that fill with the progress and fade out past 100 %.
TEST_F(ViewerWindowTest, TheLoadingShaderDrawsTheFillingEmblem) {
  std::vector<uint8_t> rgb;
  int width = 0, height = 0;
  // A point on a bar, in bar units along it, as a pixel (rows from the top;
  // the emblem is symmetric, so either diagonal serves).
  auto pixelOnBar = [&](float along) {
    const float p = along * 0.70710678f / 1.5f;
    const int x = static_cast<int>(320 * (0.5f + p));
    const int y = static_cast<int>(240 * 0.5f + p * 320);
    const uint8_t* at = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return std::vector<int>{at[0], at[1], at[2]};
  };
  beginLoadingScreen();
  showLoadingProgress(50);
  ASSERT_TRUE(frameKeeper().readRgb(&rgb, &width, &height));
  // Filled up to 0.5 x 0.224 + 0.018 = 0.13, at half brightness.
  const std::vector<int> fill = pixelOnBar(0.1f);
  EXPECT_NEAR(fill[0], 0.5 * (0.2 + 0.8 / 32) * 255, 3);
  EXPECT_NEAR(fill[2], 0.5 * (0.8 + 0.2 / 32) * 255, 3);
  EXPECT_EQ(pixelOnBar(0.2f), (std::vector<int>{0, 0, 0}));
  EXPECT_NEAR(pixelOnBar(0.25f)[1], 128, 2);  // the outline
  endLoadingScreen();  // the last of the closing frames is black
  ASSERT_TRUE(frameKeeper().readRgb(&rgb, &width, &height));
  EXPECT_EQ(pixelOnBar(0.25f), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(pixelOnBar(0.1f), (std::vector<int>{0, 0, 0}));
}

}  // namespace
}  // namespace tk
