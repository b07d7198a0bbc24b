#include "music/music_volume.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace tk {
namespace {

uint32_t floatBits(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

float bitsFloat(uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

float approximateLog10(float value) {
  // value = 2^e * m with m in [1, 2); log2(value) ~ e + (-m*m/3 + 2m - 5/3).
  uint32_t bits = floatBits(value);
  int exponent = static_cast<int>((bits >> 23) & 0xFFu) - 127;
  float m = bitsFloat((bits & 0x007FFFFFu) | 0x3F800000u);
  float log2 = static_cast<float>(exponent) + ((-0.33333334f * m + 2.0f) * m - 1.6666666f);
  return log2 * 0.30103f;
}

float approximatePow10Over2000(int volume) {
  // 10^(volume / 2000) = 2^y with y = volume / 2000 * log2(10); 2^f for the
  // fractional part f in (-1, 1) by a quadratic, the whole part a as exponent.
  float y = static_cast<float>(volume) / 100.0f / 20.0f * 3.321928f;
  float a = std::trunc(y);
  float f = y - a;
  float fraction = f * (0.25f * f + 0.75f) + 1.0f;
  return std::ldexp(fraction, static_cast<int>(a));
}

}  // namespace

int musicVolumeFromPercent(int percent) {
  float decibels100 = 100.0f * 20.0f * approximateLog10(static_cast<float>(percent) / 100.0f);
  if (decibels100 <= static_cast<float>(kMusicVolumeMin)) return kMusicVolumeMin;
  if (decibels100 >= static_cast<float>(kMusicVolumeMax)) return kMusicVolumeMax;
  return static_cast<int>(decibels100);
}

int musicPercentFromVolume(int volume) {
  return static_cast<int>(100.0f * approximatePow10Over2000(volume));
}

}  // namespace tk
