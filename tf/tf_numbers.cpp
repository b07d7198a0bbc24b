#include "tf/tf_numbers.h"

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

// "nan" or "nan(0xMANTISSA)" after the sign; returns where it ends.
const char* readNan(const char* p, const char* end, uint32_t sign, uint32_t* bits) {
  *bits = kQuietNan | sign;
  p += 3;
  if (end - p >= 4 && p[0] == '(' && p[1] == '0' && (p[2] | 0x20) == 'x') {
    uint32_t mantissa = 0;
    const char* q = p + 3;
    for (; q < end && hexDigit(*q) >= 0; ++q) mantissa = (mantissa << 4) | static_cast<uint32_t>(hexDigit(*q));
    mantissa &= kMantissaBits;
    if (q < end && *q == ')' && mantissa != 0) {
      *bits = kExponentBits | mantissa | sign;
      return q + 1;
    }
  }
  return p;
}

// Exact powers of ten in double precision.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common short decimal, correctly rounded without the general algorithm:
// up to 19 digits and a power of ten up to 22 give a correctly rounded double
// in one multiplication or division of exact operands. Rounding that double
// to float is correct too unless it lies exactly halfway between two floats
// (then the exact value may lie on either side), so those, and results
// outside the normal float range, are left to the general conversion.
// Returns where the number ends, or none when it is not such a decimal.
const char* readShortDecimal(const char* p, const char* end, uint32_t* bits) {
  // One loop over digits and the point: one hard-to-predict branch per number.
  uint64_t mantissa = 0;
  int digits = 0, point = -1;
  for (; p < end; ++p) {
    unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
    if (digit <= 9) {
      mantissa = mantissa * 10 + digit;
      ++digits;
    } else if (*p == '.' && point < 0) {
      point = digits;
    } else {
      break;
    }
  }
  // Beyond 19 digits the mantissa may have wrapped; leading zeros count too.
  if (digits == 0 || digits > 19) return nullptr;
  int exponent = point < 0 ? 0 : point - digits;
  if (p < end && (*p | 0x20) == 'e') {
    const char* q = p + 1;
    bool negative = q < end && *q == '-';
    if (q < end && (*q == '-' || *q == '+')) ++q;
    if (q < end && isDigit(*q)) {
      int value = 0;
      for (; q < end && isDigit(*q); ++q)
        if (value < 10000) value = value * 10 + (*q - '0');
      exponent += negative ? -value : value;
      p = q;
    }
  }
  if (mantissa == 0) {
    *bits = 0;
    return p;
  }
  if (mantissa > (uint64_t{1} << 53) || exponent < -22 || exponent > 22) return nullptr;
  double value = static_cast<double>(mantissa);
  value = exponent < 0 ? value / kPowersOfTen[-exponent] : value * kPowersOfTen[exponent];
  if (!(value >= 0x1p-126 && value <= 3.4028234663852886e38)) return nullptr;
  uint64_t doubleBits;
  std::memcpy(&doubleBits, &value, 8);
  // The 29 bits a float drops: exactly the half point is the ambiguous case.
  if ((doubleBits & ((uint64_t{1} << 29) - 1)) == (uint64_t{1} << 28)) return nullptr;
  *bits = floatBits(static_cast<float>(value));
  return p;
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

const char* readTfFloat(const char* begin, const char* end, uint32_t* bits) {
  const char* p = begin;
  bool negative = readSign(p, end);
  uint32_t sign = negative ? kSignBit : 0;
  if (p < end && (*p == '+' || *p == '-')) {  // a second sign is no number
    *bits = 0;
    return begin;
  }
  if (startsWithNan(p, end)) return readNan(p, end, sign, bits);
  if (const char* stop = readShortDecimal(p, end, bits)) {
    *bits ^= sign;
    return stop;
  }
  float value = 0.0f;
  std::from_chars_result result = std::from_chars(p, end, value);
  if (result.ec == std::errc::result_out_of_range) {
    // Overflow and underflow: the C library's answer (infinity, zero or the nearest subnormal).
    std::string token(p, result.ptr);
    value = std::strtof(token.c_str(), nullptr);
  } else if (result.ec != std::errc()) {
    *bits = 0;
    return begin;
  }
  *bits = floatBits(value) ^ sign;
  return result.ptr;
}

uint32_t parseTfFloatBits(const char* begin, const char* end) {
  uint32_t bits;
  readTfFloat(begin, end, &bits);
  return bits;
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
