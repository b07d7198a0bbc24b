#include "platform/input/joystick_stream.h"

#include <linux/input-event-codes.h>
#include <linux/joystick.h>

#include <cstring>

namespace tk {
namespace {

constexpr size_t kEventSize = sizeof(js_event);
static_assert(kEventSize == 8, "the kernel's joystick record is 8 bytes");

// The record's six axes in the order X, Y, Z, R, U, V, as the kernel codes
// them for a stick, its twist and a second stick; -1 for an axis kept out.
int axisSlot(int code) {
  switch (code) {
    case ABS_X: return 0;
    case ABS_Y: return 1;
    case ABS_Z: return 2;
    case ABS_RZ: return 3;
    case ABS_RX: return 4;
    case ABS_RY: return 5;
    default: return -1;
  }
}

// The kernel scales a hat's -1, 0, 1 to the full axis range.
int hatStep(int16_t value) { return value < -16384 ? -1 : value > 16384 ? 1 : 0; }

}  // namespace

uint16_t hatAngle(int horizontal, int vertical) {
  // Rows: up, centre, down (vertical -1, 0, 1); columns: left, centre, right.
  static const uint16_t kAngles[3][3] = {
      {4500, 0, 31500},
      {9000, 65535, 27000},
      {13500, 18000, 22500},
  };
  return kAngles[vertical + 1][horizontal + 1];
}

JoystickStreamDecoder::JoystickStreamDecoder() {
  for (int i = 0; i < kJoystickAxisCodeCount; ++i) codes_[i] = static_cast<uint8_t>(i);
  reset();
}

void JoystickStreamDecoder::setAxisMap(const uint8_t* codes, int count) {
  for (int i = 0; i < kJoystickAxisCodeCount; ++i) codes_[i] = i < count ? codes[i] : ABS_CNT;
}

void JoystickStreamDecoder::reset() {
  record_ = JoystickRecord();
  hatX_ = hatY_ = 0;
  pendingCount_ = 0;
}

bool JoystickStreamDecoder::feed(const uint8_t* bytes, size_t count) {
  bool changed = false;
  while (count > 0) {
    size_t take = kEventSize - pendingCount_;
    if (take > count) take = count;
    memcpy(pending_ + pendingCount_, bytes, take);
    pendingCount_ += take;
    bytes += take;
    count -= take;
    if (pendingCount_ < kEventSize) break;
    pendingCount_ = 0;
    changed = apply(pending_) || changed;
  }
  return changed;
}

bool JoystickStreamDecoder::apply(const uint8_t* bytes) {
  js_event event;
  memcpy(&event, bytes, kEventSize);
  // The first records after opening carry the starting state, marked JS_EVENT_INIT.
  switch (event.type & ~JS_EVENT_INIT) {
    case JS_EVENT_BUTTON: {
      if (event.number >= 32) return false;
      const uint32_t bit = 1u << event.number;
      const uint32_t buttons = event.value ? record_.buttons | bit : record_.buttons & ~bit;
      if (buttons == record_.buttons) return false;
      record_.buttons = buttons;
      return true;
    }
    case JS_EVENT_AXIS: return applyAxis(event.number, event.value);
    default: return false;  // a type this decoder does not know
  }
}

bool JoystickStreamDecoder::applyAxis(int number, int16_t value) {
  if (number >= kJoystickAxisCodeCount) return false;
  const int code = codes_[number];
  if (code == ABS_HAT0X || code == ABS_HAT0Y) {
    (code == ABS_HAT0X ? hatX_ : hatY_) = hatStep(value);
    const uint16_t pov = hatAngle(hatX_, hatY_);
    if (pov == record_.pov) return false;
    record_.pov = pov;
    return true;
  }
  const int slot = axisSlot(code);
  if (slot < 0 || record_.axes[slot] == value) return false;
  record_.axes[slot] = value;
  return true;
}

}  // namespace tk
