#pragma once
// The 160-bit five-lane digest that names compiled-shader cache files, and its
// 32-character base32 text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tk {

using ShaderDigest = std::array<uint8_t, 20>;

ShaderDigest shaderDigest(const void* data, size_t length, uint32_t seed = 0);
// 32 characters of "123456789ABCDEFGHJKMNPQRSTUVWXYZ", five bits each, from the
// most significant bits of each group of five bytes down.
std::string shaderDigestText(const ShaderDigest& digest);
inline std::string shaderDigestText(const std::string& text) {
  return shaderDigestText(shaderDigest(text.data(), text.size()));
}

}  // namespace tk
