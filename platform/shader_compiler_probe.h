#pragma once
// Start-up check that the shader compiler can be used.

namespace tk {

// The library that is missing, or null when the compiler initialised.
const char* missingShaderCompilerLibrary();

}  // namespace tk
