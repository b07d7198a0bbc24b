#include "api/input_commands.h"

#include "platform/input/event_receiver.h"
#include "platform/window/window.h"
#include "render/engine.h"

namespace tk {
namespace {

enum KeyCode : int {
  kReturn = 13,
  kShift = 16,
  kEscape = 27,
  kSpace = 32,
  kLeft = 37,
  kUp = 38,
  kRight = 39,
  kDown = 40,
  kKeypadPlus = 107,
  kKeypadMinus = 109,
  kPlus = 187,
  kMinus = 189,
};

bool held(int code) { return inputState().keyHeld(code); }

}  // namespace

bool EscapeKey() { return held(kEscape); }
bool EscapeKeyEverPressed() { return inputState().escapeEverPressed(); }
bool ReturnKey() { return held(kReturn); }
bool SpaceKey() { return held(kSpace); }
bool ShiftKey() { return held(kShift); }
bool RightKey() { return held(kRight); }
bool LeftKey() { return held(kLeft); }
bool UpKey() { return held(kUp); }
bool DownKey() { return held(kDown); }
bool MinusKey() { return held(kMinus) || held(kKeypadMinus); }
bool PlusKey() { return held(kPlus) || held(kKeypadPlus); }

bool KeyState(int code) { return code >= 0 && code <= 255 && inputState().keys[code] != 0; }

int MouseClick() {
  const InputState& s = inputState();
  return (s.leftButton ? 1 : 0) | (s.rightButton ? 2 : 0);
}

int MouseX() { return mouseX(tkEngine().device); }
int MouseY() { return mouseY(tkEngine().device); }
int MouseZ() { return inputState().wheelSteps(); }
void ShowMouse() { setCursorVisible(tkEngine().device, true); }
void HideMouse() { setCursorVisible(tkEngine().device, false); }

}  // namespace tk
