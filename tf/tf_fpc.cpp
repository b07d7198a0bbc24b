#include "tf/tf_fpc.h"

namespace tk {

TfChannelCheck TF_CheckChannel(const void* data, uint32_t words) {
  TfChannelCheck check;
  uint64_t samples = 0;
  uint64_t at = 0;
  while (at < words) {
    uint32_t marker = TF_Word(data, at);
    check.marker = marker;
    if (marker != TF_RUN && marker != TF_DAT) {
      check.fault = TfChannelFault::UnknownMarker;
      return check;
    }
    if (at + 2 > words) {
      check.fault = TfChannelFault::BlockPastEnd;
      return check;
    }
    uint32_t n = TF_Word(data, at + 1);
    uint64_t length = marker == TF_RUN ? 3 : 2 + static_cast<uint64_t>(n);
    if (at + length > words) {
      check.fault = TfChannelFault::BlockPastEnd;
      return check;
    }
    samples += n;
    at += length;
  }
  if (samples == 0) {
    check.fault = TfChannelFault::NoSamples;
  } else if (samples > UINT32_MAX) {
    check.fault = TfChannelFault::TooManySamples;
  } else {
    check.samples = static_cast<uint32_t>(samples);
  }
  return check;
}

const char* TF_ChannelFaultText(const TfChannelCheck& check) {
  switch (check.fault) {
    case TfChannelFault::None: return "is well formed";
    case TfChannelFault::UnknownMarker: return "has a block that is neither RUN nor DAT";
    case TfChannelFault::BlockPastEnd:
      return check.marker == TF_RUN ? "ends inside a RUN block" : "ends inside a DAT block (floats missing)";
    case TfChannelFault::NoSamples: return "holds no samples";
    case TfChannelFault::TooManySamples: return "holds more than 4294967295 samples";
  }
  return "is malformed";
}

}  // namespace tk
