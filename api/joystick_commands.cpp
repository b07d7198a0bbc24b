#include "api/joystick_commands.h"

#include "platform/input/event_receiver.h"
#include "platform/input/joystick_devices.h"

namespace tk {
namespace {

constexpr uint16_t kHatCentred = 65535;
constexpr int kDeadZone = 1499;

bool g_enabled = false;
int g_found = 0;

const JoystickRecord& record() { return inputState().joystick; }

int axis(int slot) { return g_enabled ? joystickAxisReading(record().axes[slot]) : 0; }
bool button(int n) { return g_enabled && joystickButtonDown(record().buttons, n); }
bool hat(int angle) { return g_enabled && hatPointsTo(record().pov, angle); }

}  // namespace

int joystickAxisReading(int value) { return value >= -kDeadZone && value <= kDeadZone ? 0 : value; }

bool hatPointsTo(unsigned pov, int angle) {
  if (pov == kHatCentred) return false;
  int d = static_cast<int>(pov / 100) - angle;
  if (d > 180) d -= 360;
  return d > -90 && d < 90;
}

bool joystickButtonDown(uint32_t buttons, int n) { return n >= 0 && n < 32 && (buttons >> n & 1u) != 0; }

void EnableJoystick() {
  g_found = joystickDevices().activate();
  inputState().joystick = JoystickRecord();
  g_enabled = true;
}

void DisableJoystick() {
  g_enabled = false;
  joystickDevices().close();
}

bool JoystickIsPresent() { return g_enabled && g_found > 0; }
int JoystickX() { return axis(0); }
int JoystickY() { return axis(1); }
int JoystickZ() { return axis(2); }
int JoystickR() { return axis(3); }
int JoystickU() { return axis(4); }
int JoystickV() { return axis(5); }
bool JoystickFireA() { return button(0); }
bool JoystickFireB() { return button(1); }
bool JoystickFireC() { return button(2); }
bool JoystickFireD() { return button(3); }
bool JoystickFireX(int n) { return button(n); }
bool JoystickUp() { return hat(0); }
bool JoystickDown() { return hat(180); }
bool JoystickLeft() { return hat(90); }
bool JoystickRight() { return hat(270); }

void pollJoysticks() {
  if (g_enabled) joystickDevices().poll(&eventReceiver());
}

}  // namespace tk
