#include "effects/shader_macro.h"

#include <algorithm>

namespace tk {

ShaderMacroList sortedMacros(ShaderMacroList macros) {
  std::sort(macros.begin(), macros.end());
  return macros;
}

}  // namespace tk
