#pragma once
// The scrambling step of stored archives: every whole 32-bit little-endian word
// is combined with a fixed key by exclusive-or; 1 to 3 trailing bytes stay as
// they are. Applying it twice gives the bytes back.

#include <cstddef>
#include <cstdint>

namespace tk {

constexpr uint32_t kScrambleKey = 0x7E5C1A93u;

void scramble(void* data, size_t size);

}  // namespace tk
