#pragma once
// The binary (IFF style) encoding of TF files: big-endian chunks inside a
// "FORM" of type "TSKF".

#include <cstddef>
#include <cstdint>

#include "tf/tf_tree_builder.h"

namespace tk {

// Bytes a binary parse needs readable after the end of the file: a chunk
// header starting before the end can then be read whole.
constexpr size_t kTfBinaryPadding = 8;

constexpr uint32_t tfChunkId(const char (&id)[5]) {
  return static_cast<uint32_t>(static_cast<uint8_t>(id[0])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(id[1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(id[2])) << 8 | static_cast<uint32_t>(static_cast<uint8_t>(id[3]));
}

class TfByteSource;

// Parses a whole file of `size` bytes whose header has been checked. Data words
// are swapped to host order in place; the tree points into `buffer`, which must
// have kTfBinaryPadding zero bytes after its end. With a `source` the buffer is
// filled as the parser gets to each part; without one it is complete. Prints
// the reason and returns false on a malformed file.
bool parseTfBinary(uint8_t* buffer, size_t size, TfTreeBuilder& builder, TfByteSource* source);

}  // namespace tk
