#pragma once
// Numbers in the TF text encoding. Reading follows the C library's conversions:
// an optional sign and decimal digits, stopping at the first character that
// does not fit; a token that does not start with a number reads as 0. Floats
// are written in the shortest form that reads back to the same bits.

#include <cstdint>

namespace tk {

int32_t parseTfInt(const char* begin, const char* end);        // saturates at the 32-bit range
uint32_t parseTfUnsigned(const char* begin, const char* end);  // "-1" wraps, too large saturates
// The bit pattern of the float, so that NaN payloads survive untouched.
uint32_t parseTfFloatBits(const char* begin, const char* end);
// The same, reading at `begin` as far as the number goes: returns where it
// stopped (`begin` when nothing there is a number, which reads as 0).
const char* readTfFloat(const char* begin, const char* end, uint32_t* bits);

constexpr int kTfFloatTextMax = 24;
// Writes at most kTfFloatTextMax characters for the float with these bits
// (infinities as "inf", NaNs as "nan" or "nan(0xPAYLOAD)"); returns the end.
char* formatTfFloat(char* out, uint32_t bits);

}  // namespace tk
