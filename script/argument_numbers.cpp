#include "script/argument_numbers.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "base/saturating.h"

namespace tk {

int argumentInteger(double number) { return saturatedInt(number); }

unsigned argumentUnsigned(double number) {
  if (std::isnan(number)) return 0;
  if (number >= 4294967295.0) return UINT32_MAX;
  if (number <= -2147483648.0) return 0x80000000u;
  if (number < 0) return static_cast<unsigned>(static_cast<int>(number));
  return static_cast<unsigned>(number);
}

float argumentFloat(double number) {
  if (std::isnan(number)) return 0.0f;
  if (number >= FLT_MAX) return FLT_MAX;
  if (number <= -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(number);
}

}  // namespace tk
