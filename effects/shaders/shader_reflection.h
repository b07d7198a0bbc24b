#pragma once
// The constant table of a shader from SPIRV-Cross reflection.

#include <map>
#include <string>

#include "effects/shaders/shader_constant_table.h"

namespace spirv_cross {
class CompilerGLSL;
}

namespace tk {

// `semantics`: global semantics as written in the source, preferred over the
// upper-case ones the compiler keeps.
STkShaderConstantTable reflectConstantTable(const spirv_cross::CompilerGLSL& compiler,
                                            const std::map<std::string, std::string>& semantics);

}  // namespace tk
