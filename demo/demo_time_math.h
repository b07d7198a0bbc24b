#pragma once
// Demo times are milliseconds in an int, as demo files and scenes give them.
// Sums and differences of two of them are made in 64 bits and held to the int
// range, so that a time far off or a huge length cannot overflow: the demo then
// just never gets there.

#include <cstdint>

#include "base/saturating.h"

namespace tk {

inline int addTimes(int a, int b) { return saturatedAdd(a, b); }
inline int subtractTimes(int a, int b) { return saturatedSub(a, b); }

// t in [time, time + length).
inline bool inWindow(int t, int time, int length) {
  return t >= time && static_cast<int64_t>(t) < static_cast<int64_t>(time) + length;
}
// t at or past time + length.
inline bool pastWindow(int t, int time, int length) {
  return static_cast<int64_t>(t) >= static_cast<int64_t>(time) + length;
}

}  // namespace tk
