#include "packaging/scramble.h"

#include <cstring>

namespace tk {

void scramble(void* data, size_t size) {
  auto* bytes = static_cast<unsigned char*>(data);
  for (size_t offset = 0; offset + 4 <= size; offset += 4) {
    uint32_t word = static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
                    static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
    word ^= kScrambleKey;
    bytes[offset] = word & 0xFF;
    bytes[offset + 1] = (word >> 8) & 0xFF;
    bytes[offset + 2] = (word >> 16) & 0xFF;
    bytes[offset + 3] = (word >> 24) & 0xFF;
  }
}

}  // namespace tk
