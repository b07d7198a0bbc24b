#include "api/wide_text.h"

#include <cstdint>

namespace tk {
namespace {

// The character of a well-formed sequence at `bytes` and its length, or 0
// when the first byte does not begin one.
size_t decodeOne(const uint8_t* bytes, size_t left, uint32_t* character) {
  const uint8_t first = bytes[0];
  if (first < 0x80) {
    *character = first;
    return 1;
  }
  size_t length;
  uint32_t value, lowest;
  if ((first & 0xE0) == 0xC0) length = 2, value = first & 0x1F, lowest = 0x80;
  else if ((first & 0xF0) == 0xE0) length = 3, value = first & 0x0F, lowest = 0x800;
  else if ((first & 0xF8) == 0xF0) length = 4, value = first & 0x07, lowest = 0x10000;
  else return 0;
  if (length > left) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((bytes[i] & 0xC0) != 0x80) return 0;
    value = value << 6 | (bytes[i] & 0x3F);
  }
  if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *character = value;
  return length;
}

}  // namespace

size_t utf8ToWide(const char* text, size_t length, wchar_t* out, size_t capacity) {
  if (capacity == 0) return 0;
  const auto* bytes = reinterpret_cast<const uint8_t*>(text);
  size_t written = 0;
  size_t at = 0;
  while (at < length && bytes[at] != 0 && written + 1 < capacity) {
    uint32_t character;
    size_t used = decodeOne(bytes + at, length - at, &character);
    if (used == 0) character = bytes[at], used = 1;
    out[written++] = static_cast<wchar_t>(character);
    at += used;
  }
  out[written] = 0;
  return written;
}

}  // namespace tk
