#pragma once
// Compressed float channels ("FP_C"): 32-bit words grouped in blocks, each a
// marker, a count n and its floats. A RUN block (marker 0) is one float standing
// for n samples, a DAT block (marker 1) holds n floats.

#include <cstdint>

#include "tf/tf_doc.h"

namespace tk {

enum : uint32_t {
  TF_RUN = 0,
  TF_DAT = 1,
};

enum class TfChannelFault {
  None,
  UnknownMarker,   // a block starts with a word other than RUN or DAT
  BlockPastEnd,    // the last block needs more words than the data holds
  NoSamples,       // the blocks announce no sample at all
  TooManySamples,  // more samples than a 32-bit count holds
};

struct TfChannelCheck {
  TfChannelFault fault = TfChannelFault::None;
  uint32_t samples = 0;  // the sample count, when there is no fault
  uint32_t marker = 0;   // UnknownMarker: the word found; BlockPastEnd: the block's marker
};

// Checks that `words` words of host-order data are whole blocks announcing at
// least one sample, so that reading any sample below the count stays inside.
TfChannelCheck TF_CheckChannel(const void* data, uint32_t words);

// Text of a fault, for messages ("holds no samples", ...).
const char* TF_ChannelFaultText(const TfChannelCheck& check);

// Walks the blocks of checked data. Reads must come at non-decreasing sample
// indices below the sample count; each continues where the previous one stopped.
class TfSampleCursor {
 public:
  explicit TfSampleCursor(const void* data) : block_(static_cast<const char*>(data)) {}

  float sample(uint32_t index) {
    for (;;) {
      uint32_t marker = TF_Word(block_, 0);
      uint32_t n = TF_Word(block_, 1);
      if (index - first_ < n) return TF_FloatAt(block_, marker == TF_RUN ? 2 : 2 + (index - first_));
      first_ += n;
      block_ += 4 * (marker == TF_RUN ? 3 : 2 + static_cast<uint64_t>(n));
    }
  }

 private:
  const char* block_;
  uint32_t first_ = 0;  // index of the first sample of the current block
};

}  // namespace tk
