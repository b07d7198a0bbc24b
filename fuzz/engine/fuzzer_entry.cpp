// The libFuzzer entry of one engine fuzz target; the build names the input
// function it calls (TESK_FUZZ_INPUT).
#include "fuzz/engine/fuzz_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return TESK_FUZZ_INPUT(data, size); }
