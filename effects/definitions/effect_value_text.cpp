#include "effects/definitions/effect_value_text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace tk {
namespace {

const char* skipBlanks(const char* p) {
  while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
  return p;
}

// Reads `count` numbers with `parse`, which answers false when none starts at p.
template <typename T, typename Parse>
bool readValues(const std::string& text, T* values, int count, Parse parse) {
  const char* p = text.c_str();
  bool complete = true;
  for (int i = 0; i < count; ++i) {
    p = skipBlanks(p);
    char* end = nullptr;
    T value{};
    if (parse(p, &end, &value)) {
      p = end;
    } else {
      value = T{};
      complete = false;
    }
    values[i] = value;
  }
  return complete;
}

}  // namespace

bool readFloatValues(const std::string& text, float* values, int count) {
  return readValues(text, values, count, [](const char* p, char** end, float* out) {
    *out = std::strtof(p, end);
    return *end != p;
  });
}

bool readIntValues(const std::string& text, int* values, int count) {
  return readValues(text, values, count, [](const char* p, char** end, int* out) {
    errno = 0;
    long value = std::strtol(p, end, 10);
    if (*end == p) return false;
    // Out-of-range numbers saturate rather than wrap.
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    *out = static_cast<int>(value);
    return true;
  });
}

}  // namespace tk
