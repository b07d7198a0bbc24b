#pragma once
// One pass over an effect file's header block ("[TESK_BEGIN]" ... "[TESK_END]")
// that adds one technique to a definition. The block is read once per
// technique, since "//TESK_PP:" conditions may make it differ per technique.

#include <string>
#include <vector>

#include "effects/definitions/effect_def.h"
#include "effects/definitions/tesk_header_line.h"
#include "effects/shader_macro.h"

namespace tk {

struct TeskTechniqueRequest {
  std::string name;                 // empty for the default technique
  bool compileFlagsAllowed = false;  // "cflag" lines count in the default technique only
  std::vector<std::string> macros;  // requested macro names without "USE_"
};

// Appends the technique to `def` (whose source path names the shader source).
// False with the failing line's message in `error` when a header line is malformed.
// What the lines let pass is added to `notes` (when given), by line.
bool parseTeskTechnique(const std::string& source, const TeskTechniqueRequest& request,
                        CTkEffectDef* def, std::string* error, std::vector<TeskHeaderNote>* notes = nullptr);

// The whole header: the default technique (where "cflag" lines count), then
// each technique its "techniques" setting names. Conditions see the requested
// macro names without "USE_". False at the first failing technique. `notes`
// (when given) receives each thing a line let pass once, in line order.
bool parseTeskEffect(const std::string& source, const ShaderMacroList& macros, CTkEffectDef* def,
                     std::string* error, std::vector<TeskHeaderNote>* notes = nullptr);

}  // namespace tk
