#pragma once
// Key presses seen by a loop that polls the key table: a key counts as pressed in
// the iteration where it is first seen held.

#include <array>
#include <cstdint>

#include "platform/input/input_state.h"

namespace tk {

class KeyPresses {
 public:
  // True when the key is held now and was not at the last update.
  bool pressed(const InputState& input, int code) const {
    return input.keyHeld(code) && !held_[static_cast<size_t>(code) & 0xFF];
  }
  bool rightButtonPressed(const InputState& input) const { return input.rightButton && !rightButton_; }

  // Call once at the end of each iteration.
  void update(const InputState& input) {
    for (size_t code = 0; code < held_.size(); ++code) held_[code] = input.keys[code];
    rightButton_ = input.rightButton;
  }

 private:
  std::array<uint8_t, 256> held_{};
  uint8_t rightButton_ = 0;
};

}  // namespace tk
