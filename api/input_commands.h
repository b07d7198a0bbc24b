#pragma once
// Keyboard and mouse queries of scripts, read from the input state that the
// application's event receiver keeps. Key codes are the display library's.

namespace tk {

bool EscapeKey();
// True for the rest of the run once Escape has been pressed.
bool EscapeKeyEverPressed();
bool ReturnKey();
bool SpaceKey();
bool ShiftKey();
bool RightKey();
bool LeftKey();
bool UpKey();
bool DownKey();
// The main keyboard's key or the keypad's.
bool MinusKey();
bool PlusKey();
// The key table's entry; false for codes outside 0 to 255.
bool KeyState(int code);
// Bit 0 the left button, bit 1 the right button.
int MouseClick();
int MouseX();
int MouseY();
// The wheel movements summed, truncated toward zero.
int MouseZ();
void ShowMouse();
void HideMouse();

}  // namespace tk
