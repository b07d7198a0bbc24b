#pragma once
// A pass's macros: the request's, then each shader's inline defines merged in.

#include <string>

#include "effects/shader_macro.h"

namespace tk {

// "#define NAME [value]" as a macro; false with `error` set when malformed.
bool inlineDefineToMacro(const std::string& text, SShaderMacro* macro, std::string* error);
// Adds the macro unless one of its name is there (the first definition stays;
// a different value is reported as a warning).
void mergeMacro(ShaderMacroList* macros, const SShaderMacro& macro);

}  // namespace tk
