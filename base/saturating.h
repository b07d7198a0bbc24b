#pragma once
// Whole numbers held to the range of int. Sums and differences of IDs,
// milliseconds and frame numbers that come from outside (scripts, scene and
// demo files) are worked out in 64 bits and then saturated here, so that an
// extreme value gives an extreme result (refused by an ID table, or clamped by
// a clock) instead of wrapping around or invoking undefined behaviour.

#include <climits>
#include <cmath>
#include <cstdint>

namespace tk {

inline int saturatedInt(int64_t value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// Truncated toward zero; beyond the range (infinities included) the nearest
// end. NaN has no whole value and gives `nanValue`.
inline int saturatedInt(double value, int nanValue = 0) {
  if (std::isnan(value)) return nanValue;
  if (value >= 2147483647.0) return INT_MAX;
  if (value <= -2147483648.0) return INT_MIN;
  return static_cast<int>(value);
}

// a + b and a - b without overflow.
inline int saturatedAdd(int a, int b) { return saturatedInt(static_cast<int64_t>(a) + b); }
inline int saturatedSub(int a, int b) { return saturatedInt(static_cast<int64_t>(a) - b); }

}  // namespace tk
