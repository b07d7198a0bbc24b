#include "effects/runtime/pass_macros.h"

#include "base/log.h"

namespace tk {

bool inlineDefineToMacro(const std::string& text, SShaderMacro* macro, std::string* error) {
  size_t at = text.find("#define");
  if (at == std::string::npos) {
    *error = "Invalid source inline : no #define";
    return false;
  }
  size_t start = text.find_first_not_of(" \t", at + 7);
  if (start == std::string::npos) {
    *error = "Invalid source inline : malformed after #define";
    return false;
  }
  size_t end = text.find_first_of(" \t", start);
  macro->name = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
  size_t value = end == std::string::npos ? std::string::npos : text.find_first_not_of(" \t", end);
  macro->value = value == std::string::npos ? std::string() : text.substr(value);
  return true;
}

void mergeMacro(ShaderMacroList* macros, const SShaderMacro& macro) {
  for (const SShaderMacro& existing : *macros) {
    if (existing.name != macro.name) continue;
    if (existing.value != macro.value)
      log(LOG_WARN, "Warning: when merging macros, duplicate %s with different definitions '%s' and '%s' ",
          macro.name.c_str(), existing.value.c_str(), macro.value.c_str());
    return;
  }
  macros->push_back(macro);
}

}  // namespace tk
