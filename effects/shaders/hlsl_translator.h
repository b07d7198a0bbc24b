#pragma once
// Direct3D 9 HLSL to GLSL: glslang's HLSL front end (DX9 mode, Vulkan target)
// makes SPIR-V, SPIRV-Cross writes GLSL 450 compatibility, with the fixes that
// make the result behave as the source did under Direct3D 9 (see
// shader_interface_fixes.h), and reflection gives the constant table.

#include <string>
#include <vector>

#include "effects/shader_macro.h"
#include "effects/shaders/compiled_shader.h"

namespace tk {

struct ShaderCompileRequest {
  bool vertex = true;
  std::string path;   // for messages and as the base of include resolution
  std::string entry;  // entry function
  ShaderMacroList macros;
};

struct ShaderTranslation {
  STkCompiledShader shader;
  // The source and every file it included, normalised, sorted, unique.
  std::vector<std::string> includes;
  std::string error;  // the compiler's messages on failure
};

// Translates `source` (the text of request.path). False with translation->error
// set on failure.
bool translateHlsl(const ShaderCompileRequest& request, const std::string& source, ShaderTranslation* translation);

// Uniform block bindings: each stage its own block, so both link in one program.
constexpr int kVertexConstantBinding = 0;
constexpr int kPixelConstantBinding = 1;

}  // namespace tk
