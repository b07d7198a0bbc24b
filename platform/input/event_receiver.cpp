#include "platform/input/event_receiver.h"

namespace tk {

MyEventReceiver& eventReceiver() {
  static MyEventReceiver receiver;
  return receiver;
}

bool MyEventReceiver::OnEvent(const irr::SEvent& event) {
  if (!accepting_) return false;
  switch (event.EventType) {
    case irr::EET_KEY_INPUT_EVENT: onKey(event.KeyInput); break;
    case irr::EET_MOUSE_INPUT_EVENT: onMouse(event.MouseInput); break;
    case irr::EET_USER_EVENT:
      if (event.UserEvent.UserData1 == kSyncFrameEvent)
        state_.syncFrame = static_cast<uint32_t>(event.UserEvent.UserData2);
      break;
    case irr::EET_JOYSTICK_INPUT_EVENT: onJoystick(event.JoystickEvent); break;
    default: break;
  }
  return chained_ ? chained_->OnEvent(event) : false;
}

void MyEventReceiver::onKey(const irr::SEvent::SKeyInput& key) {
  unsigned code = static_cast<unsigned>(key.Key);
  // Entry 255 is the Escape latch, never a key.
  if (code < kEscapeLatchEntry) state_.keys[code] = key.PressedDown ? 1 : 0;
  state_.keys[irr::KEY_SHIFT] = key.Shift ? 1 : 0;
  if (state_.keys[irr::KEY_ESCAPE]) state_.keys[kEscapeLatchEntry] = 1;
}

void MyEventReceiver::onMouse(const irr::SEvent::SMouseInput& mouse) {
  if (mouse.Event == irr::EMIE_MOUSE_WHEEL) state_.wheel += mouse.Wheel;
  state_.mouseX = mouse.X;
  state_.mouseY = mouse.Y;
  state_.leftButton = (mouse.ButtonStates & irr::EMBSM_LEFT) ? 1 : 0;
  state_.rightButton = (mouse.ButtonStates & irr::EMBSM_RIGHT) ? 1 : 0;
}

void MyEventReceiver::onJoystick(const irr::SEvent::SJoystickEvent& joystick) {
  if (joystick.Joystick != 0) return;
  state_.joystick.buttons = joystick.ButtonStates;
  for (int axis = 0; axis < 6; ++axis) state_.joystick.axes[axis] = joystick.Axis[axis];
  state_.joystick.pov = joystick.POV;
}

}  // namespace tk
