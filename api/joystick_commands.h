#pragma once
// The joystick commands: the record of joystick 0 as its last event left it,
// read only while the joystick is enabled (0 and false otherwise).

#include <cstdint>

namespace tk {

// Axis readings from -1499 to 1499 are the stick at rest.
int joystickAxisReading(int value);
// Whether the hat (hundredths of a degree, 65535 centred) is within 90
// degrees of `angle`.
bool hatPointsTo(unsigned pov, int angle);
// Whether button n is down in the bit set; no button past 31.
bool joystickButtonDown(uint32_t buttons, int n);

void EnableJoystick();
void DisableJoystick();
bool JoystickIsPresent();
int JoystickX();
int JoystickY();
int JoystickZ();
int JoystickR();
int JoystickU();
int JoystickV();
bool JoystickFireA();
bool JoystickFireB();
bool JoystickFireC();
bool JoystickFireD();
bool JoystickFireX(int button);
bool JoystickUp();
bool JoystickDown();
bool JoystickLeft();
bool JoystickRight();

// Reads the joystick devices into the input state when the joystick is
// enabled; the script's Run calls it with every pass of its loop.
void pollJoysticks();

}  // namespace tk
