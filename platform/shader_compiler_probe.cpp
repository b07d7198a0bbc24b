#include "platform/shader_compiler_probe.h"

#include <glslang/Public/ShaderLang.h>

namespace tk {

const char* missingShaderCompilerLibrary() {
  // Initialisation is process-wide and counted by glslang; once is enough.
  static const bool initialised = glslang::InitializeProcess();
  return initialised ? nullptr : "glslang";
}

}  // namespace tk
