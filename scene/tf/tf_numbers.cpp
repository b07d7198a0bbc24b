#include "scene/tf/tf_numbers.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace tk {
namespace {

constexpr uint32_t kSignBit = 0x80000000u;
constexpr uint32_t kExponentBits = 0x7F800000u;
constexpr uint32_t kMantissaBits = 0x007FFFFFu;
constexpr uint32_t kQuietNan = 0x7FC00000u;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an optional sign; returns true for '-'.
bool readSign(const char*& p, const char* end) {
  if (p < end && (*p == '+' || *p == '-')) return *p++ == '-';
  return false;
}

// Decimal digits as a magnitude, stopping at 2^33 so that overflow is still seen.
uint64_t readMagnitude(const char*& p, const char* end) {
  uint64_t value = 0;
  for (; p < end && isDigit(*p); ++p)
    if (value < (uint64_t{1} << 33)) value = value * 10 + static_cast<uint64_t>(*p - '0');
  return value;
}

uint32_t floatBits(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  return bits;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool startsWithNan(const char* p, const char* end) {
  return end - p >= 3 && (p[0] | 0x20) == 'n' && (p[1] | 0x20) == 'a' && (p[2] | 0x20) == 'n';
}

// "nan" or "nan(0xMANTISSA)" after the sign.
uint32_t readNan(const char* p, const char* end, bool negative) {
  uint32_t bits = kQuietNan;
  p += 3;
  if (end - p >= 4 && p[0] == '(' && p[1] == '0' && (p[2] | 0x20) == 'x') {
    uint32_t mantissa = 0;
    const char* q = p + 3;
    for (; q < end && hexDigit(*q) >= 0; ++q) mantissa = (mantissa << 4) | static_cast<uint32_t>(hexDigit(*q));
    mantissa &= kMantissaBits;
    if (q < end && *q == ')' && mantissa != 0) bits = kExponentBits | mantissa;
  }
  return negative ? bits | kSignBit : bits;
}

}  // namespace

int32_t parseTfInt(const char* begin, const char* end) {
  const char* p = begin;
  bool negative = readSign(p, end);
  uint64_t magnitude = readMagnitude(p, end);
  if (negative) return magnitude >= 0x80000000u ? INT32_MIN : -static_cast<int32_t>(magnitude);
  return magnitude > 0x7FFFFFFFu ? INT32_MAX : static_cast<int32_t>(magnitude);
}

uint32_t parseTfUnsigned(const char* begin, const char* end) {
  const char* p = begin;
  bool negative = readSign(p, end);
  uint64_t magnitude = readMagnitude(p, end);
  if (magnitude > UINT32_MAX) return UINT32_MAX;
  uint32_t value = static_cast<uint32_t>(magnitude);
  return negative ? 0u - value : value;
}

uint32_t parseTfFloatBits(const char* begin, const char* end) {
  const char* p = begin;
  bool negative = readSign(p, end);
  if (p < end && (*p == '+' || *p == '-')) return 0;  // a second sign is no number
  if (startsWithNan(p, end)) return readNan(p, end, negative);
  float value = 0.0f;
  std::from_chars_result result = std::from_chars(p, end, value);
  if (result.ec == std::errc::result_out_of_range) {
    // Overflow and underflow: the C library's answer (infinity, zero or the nearest subnormal).
    std::string token(p, result.ptr);
    value = std::strtof(token.c_str(), nullptr);
  } else if (result.ec != std::errc()) {
    value = 0.0f;
  }
  uint32_t bits = floatBits(value);
  return negative ? bits ^ kSignBit : bits;
}

char* formatTfFloat(char* out, uint32_t bits) {
  char* p = out;
  if ((bits & kExponentBits) == kExponentBits && (bits & kMantissaBits) != 0) {
    if (bits & kSignBit) *p++ = '-';
    uint32_t mantissa = bits & kMantissaBits;
    if (mantissa == (kQuietNan & kMantissaBits)) {
      std::memcpy(p, "nan", 3);
      return p + 3;
    }
    return p + std::snprintf(p, kTfFloatTextMax - 1, "nan(0x%x)", mantissa);
  }
  float value;
  std::memcpy(&value, &bits, 4);
  return std::to_chars(out, out + kTfFloatTextMax, value).ptr;
}

}  // namespace tk
