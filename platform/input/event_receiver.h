#pragma once
// The application's event receiver: every device event passes through it. It
// keeps the input state and hands events on to the engine context's receiver.

#include <irrlicht.h>

#include "platform/input/input_state.h"

namespace tk {

// The user-event code by which the modelling package's frame number arrives.
constexpr irr::s32 kSyncFrameEvent = 0x7000;

class MyEventReceiver : public irr::IEventReceiver {
 public:
  bool OnEvent(const irr::SEvent& event) override;

  // Events count only once the engine start-up has finished.
  void setAccepting(bool accepting) { accepting_ = accepting; }
  void setChained(irr::IEventReceiver* chained) { chained_ = chained; }

  InputState& state() { return state_; }

 private:
  void onKey(const irr::SEvent::SKeyInput& key);
  void onMouse(const irr::SEvent::SMouseInput& mouse);
  void onJoystick(const irr::SEvent::SJoystickEvent& joystick);

  InputState state_;
  bool accepting_ = false;
  irr::IEventReceiver* chained_ = nullptr;
};

// The one receiver of the process.
MyEventReceiver& eventReceiver();
inline InputState& inputState() { return eventReceiver().state(); }

}  // namespace tk
