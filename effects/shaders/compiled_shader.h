#pragma once
// One translated shader: GLSL for the OpenGL driver plus its constant table.
// This is what the GPU programming services keep per compile and what the
// compiled-shader cache stores.

#include <cstdint>
#include <string>
#include <vector>

#include "effects/shaders/shader_constant_table.h"

namespace tk {

struct STkCompiledShader {
  bool vertex = true;
  std::string glsl;
  STkShaderConstantTable table;
};
bool operator==(const STkCompiledShader& a, const STkCompiledShader& b);

// The cache file's bytes: a header, the fields, and a digest of all of it, so
// that a damaged or truncated file is recognised instead of served.
std::vector<uint8_t> serialiseCompiledShader(const STkCompiledShader& shader);
// False when the bytes are not a whole, undamaged serialised shader.
bool deserialiseCompiledShader(const std::vector<uint8_t>& bytes, STkCompiledShader* shader);

}  // namespace tk
