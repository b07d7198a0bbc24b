#include "render/post/jitter.h"

namespace tk {
namespace {

const STkJitterOffset kPattern2[2] = {{-0.25f, 0.25f}, {0.25f, -0.25f}};
const STkJitterOffset kPattern4[4] = {{-0.375f, 0.125f}, {0.375f, -0.125f}, {0.125f, 0.375f}, {-0.125f, -0.375f}};
const STkJitterOffset kPattern8[8] = {{0.080402f, -0.201951f}, {-0.080382f, 0.198049f}, {0.319618f, 0.080402f},
                                      {-0.201951f, -0.319598f}, {-0.319598f, 0.319618f}, {-0.441166f, -0.080382f},
                                      {0.198049f, 0.441186f},   {0.441186f, -0.441166f}};

constexpr float kRandomRange = 32767.0f;

irr::u32 frameCounters[2] = {0, 0};

}  // namespace

int STkJitterRandom::next() {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFFu);
}

STkJitterRandom& jitterRandom() {
  static STkJitterRandom random;
  return random;
}

STkJitterOffset jitterOffset(int setting, irr::u32 frame, STkJitterRandom* random) {
  switch (setting) {
    case 0: return {};
    case 1: return kPattern2[frame % 2];
    case 2: return kPattern4[frame % 4];
    case 3: return kPattern8[frame % 8];
    default: break;
  }
  STkJitterOffset offset;
  offset.y = static_cast<float>(random->next()) / kRandomRange - 0.5f;
  offset.x = static_cast<float>(random->next()) / kRandomRange - 0.5f;
  return offset;
}

irr::core::matrix4 jitterTranslation(const STkJitterOffset& offset, irr::u32 width, irr::u32 height) {
  irr::core::matrix4 m;
  if (width == 0 || height == 0) return m;
  m[12] = offset.x * 2.0f / static_cast<float>(width);
  m[13] = offset.y * 2.0f / static_cast<float>(height);
  return m;
}

irr::core::matrix4 jitterMatrix(int setting, irr::u32 frame, irr::u32 width, irr::u32 height) {
  return jitterTranslation(jitterOffset(setting, frame, &jitterRandom()), width, height);
}

// The display library's product a * b transforms by b first.
irr::core::matrix4 jitteredProjection(const irr::core::matrix4& projection, const irr::core::matrix4& jitter) {
  return jitter * projection;
}

irr::u32 nextJitterFrame(EJitterCounter counter) { return ++frameCounters[static_cast<int>(counter)]; }

}  // namespace tk
