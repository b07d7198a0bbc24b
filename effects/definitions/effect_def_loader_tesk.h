#pragma once
// Reads the engine's own effect files: HLSL sources (".hlsl", ".fx") whose
// header block, written in line comments between "[TESK_BEGIN]" and
// "[TESK_END]", describes entry points, parameters, states, renderer settings
// and further techniques compiled from the same source with extra macros.

#include "effects/definitions/effect_def_loader.h"

namespace tk {

class CTkEffectDefLoaderTesk : public ITkEffectDefLoader {
 public:
  bool isLoadableEffectFile(const char* path) const override;
  bool dependsOnMacros() const override { return true; }
  // Answers a definition even on failure; `error` then holds the reason
  // ("Cannot open file", "Error" for an empty file, or the failing header line's
  // message) and the definition is to be discarded. What header lines let pass
  // (unknown types, keys and flags, values the reader takes otherwise than
  // written, texture files not found) is logged at WARN as "FILE:LINE: what",
  // each once per process.
  CTkEffectDef* createEffectDef(FileLayer& files, const char* path, const ShaderMacroList& macros,
                                bool driverFlag, std::string* error) override;
};

}  // namespace tk
