#pragma once
// Links a translated vertex and pixel shader into one GL program, the pixel
// shader's inputs matched to the vertex shader's outputs by semantic.

#include <epoxy/gl.h>

#include <string>

#include "effects/shaders/compiled_shader.h"

namespace tk {

// The program, or 0 with the compiler's and linker's messages in `log`.
GLuint linkShaderProgram(const STkCompiledShader& vertex, const STkCompiledShader& pixel, std::string* log);
// The same for two GLSL sources taken as they are.
GLuint linkGlslProgram(const std::string& vertexGlsl, const std::string& pixelGlsl, std::string* log);

}  // namespace tk
