#include "effects/shaders/shader_digest.h"

#include <cstring>

namespace tk {
namespace {

constexpr uint32_t kM = 0x5bd1e995;
constexpr uint32_t kLane[5] = {kM, 0x19d699a5, 0xb11924e1, 0x16118b03, 0x53c93455};
constexpr char kAlphabet[] = "123456789ABCDEFGHJKMNPQRSTUVWXYZ";

void mixWord(uint32_t h[5], uint32_t k) {
  k *= kM;
  k ^= k >> 24;
  k *= kM;
  const uint32_t before[5] = {h[0] * kM, h[1], h[2], h[3], h[4]};
  h[0] = before[0] ^ k ^ before[1];
  h[1] = (before[1] * kLane[1]) ^ k ^ before[2];
  h[2] = (before[2] * kLane[2]) ^ k ^ before[3];
  h[3] = (before[3] * kLane[3]) ^ k ^ before[4];
  h[4] = (before[4] * kLane[4]) ^ k ^ h[0];
}

void mixTail(uint32_t h[5], const uint8_t* tail, size_t count) {
  for (int lane = 0; lane < 5; ++lane) {
    if (count == 3) h[lane] ^= static_cast<uint32_t>(tail[2]) << 16;
    if (count >= 2) h[lane] ^= static_cast<uint32_t>(tail[1]) << 8;
    if (count >= 1) {
      h[lane] ^= tail[0];
      h[lane] *= kLane[lane];
    }
  }
}

void putLittleEndian(uint32_t word, uint8_t* out) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(word >> (8 * i));
}

}  // namespace

ShaderDigest shaderDigest(const void* data, size_t length, uint32_t seed) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  const uint32_t start = seed ^ static_cast<uint32_t>(length);
  uint32_t h[5] = {start, start ^ kLane[1], start ^ kLane[2], start ^ kLane[3], start ^ kLane[4]};
  size_t whole = length / 4;
  for (size_t i = 0; i < whole; ++i) {
    uint32_t k = bytes[4 * i] | (bytes[4 * i + 1] << 8) | (bytes[4 * i + 2] << 16) |
                 (static_cast<uint32_t>(bytes[4 * i + 3]) << 24);
    mixWord(h, k);
  }
  mixTail(h, bytes + 4 * whole, length % 4);
  uint32_t f[5];
  for (int lane = 0; lane < 5; ++lane) {
    uint32_t x = h[lane];
    x ^= x >> 13;
    x *= kLane[lane];
    x ^= x >> 15;
    f[lane] = x;
  }
  const uint32_t words[5] = {f[0] ^ f[1] ^ f[2] ^ f[3] ^ f[4], f[1] ^ f[0], f[2] ^ f[0], f[3] ^ f[0], f[4] ^ f[0]};
  ShaderDigest digest{};
  for (int i = 0; i < 5; ++i) putLittleEndian(words[i], digest.data() + 4 * i);
  return digest;
}

std::string shaderDigestText(const ShaderDigest& digest) {
  std::string text;
  for (int group = 0; group < 4; ++group) {
    uint64_t value = 0;
    for (int i = 0; i < 5; ++i) value = (value << 8) | digest[5 * group + i];
    for (int shift = 35; shift >= 0; shift -= 5) text += kAlphabet[(value >> shift) & 31];
  }
  return text;
}

}  // namespace tk
