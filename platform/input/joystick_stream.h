#pragma once
// The kernel's joystick event stream (8-byte records: time, value, type,
// number) turned into a joystick record. Reads may end anywhere, so a record
// cut short is held until the rest arrives.

#include <cstddef>
#include <cstdint>

#include "platform/input/input_state.h"

namespace tk {

// The kernel's axis codes this decoder gives a meaning to.
constexpr int kJoystickAxisCodeCount = 64;

// Hat directions as hundredths of a degree counted anticlockwise from up, so
// that up is 0, left 9000, down 18000 and right 27000; 65535 is centred.
uint16_t hatAngle(int horizontal, int vertical);

class JoystickStreamDecoder {
 public:
  // Without a map, axis n carries the kernel's axis code n.
  JoystickStreamDecoder();
  // The axis map the device reports: the axis code of each axis number.
  void setAxisMap(const uint8_t* codes, int count);

  // Takes the next bytes of the stream; answers whether the record changed.
  bool feed(const uint8_t* bytes, size_t count);
  // Back to no buttons, axes at rest and the hat centred; a cut record is dropped.
  void reset();

  const JoystickRecord& record() const { return record_; }

 private:
  bool apply(const uint8_t* event);
  bool applyAxis(int number, int16_t value);

  uint8_t codes_[kJoystickAxisCodeCount];
  uint8_t pending_[8];
  size_t pendingCount_ = 0;
  int hatX_ = 0;
  int hatY_ = 0;
  JoystickRecord record_;
};

}  // namespace tk
