#pragma once
// A preprocessor macro handed to effects and to the shader compiler: a name and
// a value (empty when the macro is only defined). Lists of them are compared in
// their sorted order, so that the same set asked in any order means the same.

#include <string>
#include <tuple>
#include <vector>

namespace tk {

struct SShaderMacro {
  std::string name;
  std::string value;
};

using ShaderMacroList = std::vector<SShaderMacro>;

inline bool operator<(const SShaderMacro& a, const SShaderMacro& b) {
  return std::tie(a.name, a.value) < std::tie(b.name, b.value);
}
inline bool operator==(const SShaderMacro& a, const SShaderMacro& b) {
  return a.name == b.name && a.value == b.value;
}

// The macros sorted by name, then value.
ShaderMacroList sortedMacros(ShaderMacroList macros);

}  // namespace tk
