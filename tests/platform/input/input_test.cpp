#include <gtest/gtest.h>

#include "base/timer.h"
#include "platform/input/event_receiver.h"
#include "platform/ui/file_requester.h"

namespace tk {
namespace {

irr::SEvent keyEvent(irr::EKEY_CODE key, bool down, bool shift = false) {
  irr::SEvent e{};
  e.EventType = irr::EET_KEY_INPUT_EVENT;
  e.KeyInput.Key = key;
  e.KeyInput.PressedDown = down;
  e.KeyInput.Shift = shift;
  return e;
}

irr::SEvent wheelEvent(float wheel) {
  irr::SEvent e{};
  e.EventType = irr::EET_MOUSE_INPUT_EVENT;
  e.MouseInput.Event = irr::EMIE_MOUSE_WHEEL;
  e.MouseInput.Wheel = wheel;
  return e;
}

TEST(EventReceiverTest, IgnoresEventsBeforeStartUpEnds) {
  MyEventReceiver receiver;
  receiver.OnEvent(keyEvent(irr::KEY_SPACE, true));
  EXPECT_FALSE(receiver.state().keyHeld(32));
  receiver.setAccepting(true);
  receiver.OnEvent(keyEvent(irr::KEY_SPACE, true));
  EXPECT_TRUE(receiver.state().keyHeld(32));
}

TEST(EventReceiverTest, EscapeLatchOutlivesTheKey) {
  MyEventReceiver receiver;
  receiver.setAccepting(true);
  receiver.OnEvent(keyEvent(irr::KEY_ESCAPE, true));
  receiver.OnEvent(keyEvent(irr::KEY_ESCAPE, false));
  EXPECT_FALSE(receiver.state().keyHeld(27));
  EXPECT_TRUE(receiver.state().escapeEverPressed());
  receiver.OnEvent(keyEvent(irr::KEY_KEY_A, true, true));
  EXPECT_TRUE(receiver.state().keyHeld(16));
}

TEST(EventReceiverTest, WheelSumTruncatesTowardZero) {
  struct Case {
    std::vector<float> notches;
    int steps;
  } cases[] = {{{1, 1, -1}, 1}, {{0.5f}, 0}, {{-0.5f}, 0}, {{-1, -0.75f}, -1}};
  for (const Case& c : cases) {
    MyEventReceiver receiver;
    receiver.setAccepting(true);
    for (float notch : c.notches) receiver.OnEvent(wheelEvent(notch));
    EXPECT_EQ(receiver.state().wheelSteps(), c.steps);
  }
}

TEST(EventReceiverTest, SyncFrameAndJoystick) {
  MyEventReceiver receiver;
  receiver.setAccepting(true);
  EXPECT_EQ(receiver.state().syncFrame, 0xFFFFFFFu);
  irr::SEvent user{};
  user.EventType = irr::EET_USER_EVENT;
  user.UserEvent.UserData1 = 0x7000;
  user.UserEvent.UserData2 = 42;
  receiver.OnEvent(user);
  EXPECT_EQ(receiver.state().syncFrame, 42u);

  irr::SEvent joy{};
  joy.EventType = irr::EET_JOYSTICK_INPUT_EVENT;
  joy.JoystickEvent.Joystick = 1;
  joy.JoystickEvent.ButtonStates = 5;
  receiver.OnEvent(joy);
  EXPECT_EQ(receiver.state().joystick.buttons, 0u);
  joy.JoystickEvent.Joystick = 0;
  joy.JoystickEvent.Axis[5] = -300;
  joy.JoystickEvent.POV = 65535;
  receiver.OnEvent(joy);
  EXPECT_EQ(receiver.state().joystick.buttons, 5u);
  EXPECT_EQ(receiver.state().joystick.axes[5], -300);
  EXPECT_EQ(receiver.state().joystick.pov, 65535);
}

TEST(TimerTest, FirstQueryIsZeroAndLaterOnesCount) {
  EXPECT_EQ(timerMilliseconds(), 0);
  EXPECT_GE(timerMilliseconds(), 0);
}

TEST(FileFilterTest, PatternsMatchWithoutRegardToCase) {
  const char* all = "*.tscn;*.x;*.demo.ini;*.lua;*.tlua";
  EXPECT_TRUE(matchesFilter("Scene.TSCN", all));
  EXPECT_TRUE(matchesFilter("intro.demo.ini", all));
  EXPECT_FALSE(matchesFilter("setup.ini", all));
  EXPECT_TRUE(matchesFilter("README", "*.*"));
  EXPECT_TRUE(matchesFilter("anything", ""));
}

}  // namespace
}  // namespace tk
