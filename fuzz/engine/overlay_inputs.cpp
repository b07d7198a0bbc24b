// Inputs for the readers behind the 2D overlay and the joystick: the kernel's
// joystick stream and the UTF-8 texts scripts draw. A broken property aborts.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "api/wide_text.h"
#include "fuzz/engine/fuzz_inputs.h"
#include "platform/input/joystick_stream.h"

namespace tk::fuzz {
namespace {

bool sameRecord(const JoystickRecord& a, const JoystickRecord& b) {
  return a.buttons == b.buttons && a.pov == b.pov && memcmp(a.axes, b.axes, sizeof a.axes) == 0;
}

}  // namespace

int joystickStream(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the chunk sizes the rest arrives in.
  const uint8_t pattern = data[0];
  ++data, --size;
  JoystickStreamDecoder whole, chunked;
  whole.feed(data, size);
  size_t at = 0;
  for (int step = 0; at < size; ++step) {
    size_t chunk = 1 + ((pattern >> (step % 8)) & 7u) * (1 + step % 3);
    if (chunk > size - at) chunk = size - at;
    chunked.feed(data + at, chunk);
    at += chunk;
  }
  if (!sameRecord(whole.record(), chunked.record())) abort();
  whole.reset();
  if (!sameRecord(whole.record(), JoystickRecord())) abort();
  return 0;
}

int utf8Cut(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  std::vector<wchar_t> cut(kWideTextMax + 1), full(size + 1);
  const size_t cutLength = utf8ToWide(text, size, cut.data(), cut.size());
  const size_t fullLength = utf8ToWide(text, size, full.data(), full.size());
  if (cutLength > kWideTextMax || cut[cutLength] != 0 || full[fullLength] != 0) abort();
  // The cut text is the whole text's beginning, ended on a character.
  if (cutLength != (fullLength < kWideTextMax ? fullLength : kWideTextMax)) abort();
  if (memcmp(cut.data(), full.data(), cutLength * sizeof(wchar_t)) != 0) abort();
  for (size_t i = 0; i < fullLength; ++i)
    if (full[i] == 0 || static_cast<uint32_t>(full[i]) > 0x10FFFF) abort();
  return 0;
}

}  // namespace tk::fuzz
