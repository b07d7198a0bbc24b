#pragma once
// Script texts are UTF-8; the display library's fonts draw wide characters.

#include <cstddef>

namespace tk {

// The longest text a draw or a measure takes, in characters.
constexpr size_t kWideTextMax = 511;

// Decodes `length` bytes of UTF-8 into `out` (room for `capacity` characters
// and the end mark) and answers how many characters were written. A byte that
// does not start a well-formed sequence (a stray continuation, an overlong or
// cut sequence, a surrogate, a value past U+10FFFF) stands for itself, as in
// Latin-1. The text ends at the first NUL byte or where the room ends, always
// on a character boundary.
size_t utf8ToWide(const char* text, size_t length, wchar_t* out, size_t capacity);

}  // namespace tk
