#pragma once
// The steps of TF_Load below the public interface: reading a file into a
// padded buffer, and loading bytes that are already in memory.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "tf/tf_doc.h"

namespace tk {

// A buffer of `size` bytes followed by the zero padding the binary parser reads.
std::unique_ptr<uint8_t[]> tfPaddedBuffer(size_t size);

struct TfFileBytes {
  std::unique_ptr<uint8_t[]> bytes;  // from tfPaddedBuffer
  size_t size = 0;
};

// Reads a whole file through the engine file layer; false when it cannot.
bool tfReadFileBytes(const char* path, TfFileBytes* out);

// Brings the bytes of a file into its buffer while it is parsed, so that each
// part is still in the cache when the parser swaps and checks it. A read error
// is remembered and the missing bytes read as zeros; the load then fails.
class TfByteSource {
 public:
  virtual ~TfByteSource() = default;
  // Makes the bytes before `end` (at most the file size) available.
  virtual void ensure(size_t end) = 0;
  virtual size_t available() const = 0;
  virtual bool failed() const = 0;
};

// Detects the encoding and parses `size` bytes. `owned` is a padded buffer
// holding `bytes` when the caller has one (a binary document keeps it);
// otherwise a binary file is copied into one of its own. `source`, when given,
// fills the buffer on demand.
TF_Doc* tfLoadBytes(const uint8_t* bytes, size_t size, std::unique_ptr<uint8_t[]> owned,
                    TfByteSource* source = nullptr);

}  // namespace tk
