// Whatever the reader accepts must be written in both encodings and read back
// to the same tree, with the same binary bytes either way.
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz/tf_roundtrip_property.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string problem = tk::checkTfRoundTrip(data, size);
  if (!problem.empty()) {
    // Standard error may be closed (-close_fd_mask); the kept input replays the
    // message through the corpus unit test.
    std::fprintf(stderr, "round trip broken: %s\n", problem.c_str());
    __builtin_trap();
  }
  return 0;
}
