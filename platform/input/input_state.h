#pragma once
// Keys, mouse, joystick and the modelling package's frame as the window reports them.

#include <cstdint>

namespace tk {

constexpr int kEscapeLatchEntry = 255;
constexpr uint32_t kNoSyncFrame = 0xFFFFFFF;  // seven hex digits: no frame received yet

struct JoystickRecord {
  uint32_t buttons = 0;  // bit n = button n
  int16_t axes[6] = {};  // X, Y, Z, R, U, V
  uint16_t pov = 65535;  // hundredths of a degree, 65535 when centred
};

struct InputState {
  uint8_t keys[256] = {};  // entry 255 is the Escape latch
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  float wheel = 0.0f;
  uint8_t leftButton = 0;
  uint8_t rightButton = 0;
  uint32_t syncFrame = kNoSyncFrame;
  JoystickRecord joystick;

  bool keyHeld(int code) const { return code >= 0 && code < 255 && keys[code] != 0; }
  bool escapeEverPressed() const { return keys[kEscapeLatchEntry] != 0; }
  // The wheel sum truncated toward zero.
  int wheelSteps() const { return static_cast<int>(wheel); }
};

}  // namespace tk
