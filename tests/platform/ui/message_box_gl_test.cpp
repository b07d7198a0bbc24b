// The message box in the engine window: modal until answered, never without a host.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdlib>

#include "base/log.h"
#include "platform/input/event_receiver.h"
#include "platform/window/window.h"
#include "render/engine.h"
#include "startup/sys_setup.h"

namespace tk {
namespace {

// Records the answers message boxes send.
struct AnswerRecorder : irr::IEventReceiver {
  int okAnswers = 0;
  bool OnEvent(const irr::SEvent& event) override {
    if (event.EventType == irr::EET_GUI_EVENT && event.GUIEvent.EventType == irr::gui::EGET_MESSAGEBOX_OK)
      ++okAnswers;
    return false;
  }
};

TEST(MessageBoxTest, ShownInTheWindowAndClosedByReturn) {
  setenv("TESK_MESSAGE_BOXES", "1", 1);
  enableMessageBoxes();
  SysSetup setup;
  setup.vsync = 0;
  ASSERT_EQ(tkSysSetup(setup), 0);
  WindowHandle handle = windowOf(tkEngine().device);
  ASSERT_TRUE(handle.valid());
  Display* display = static_cast<Display*>(handle.display);
  for (int i = 0; i < 5; ++i) tkEngine().device->run();
  XSetInputFocus(display, handle.window, RevertToParent, CurrentTime);
  // Queued before the box opens: the box's own loop delivers it.
  XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Return), True, 0);
  XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Return), False, 0);
  XSync(display, False);
  AnswerRecorder answers;
  eventReceiver().setChained(&answers);
  messageBox("Setup failed: %s", "a test");
  eventReceiver().setChained(nullptr);
  EXPECT_EQ(answers.okAnswers, 1);
  irr::gui::IGUIElement* root = tkEngine().gui->getRootGUIElement();
  EXPECT_TRUE(root->getChildren().empty());
  tkSysShutdown();
  setenv("TESK_MESSAGE_BOXES", "0", 1);
}

}  // namespace
}  // namespace tk
