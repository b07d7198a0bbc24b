#pragma once
// The effect manager's definitions: the loaders of the effect file formats and
// every definition read so far, keyed by the file's absolute path and the
// sorted macros it was asked with. Definitions are never evicted; they live as
// long as the cache and are handed out without a new reference.

#include <string>
#include <vector>

#include "effects/definitions/effect_def.h"
#include "effects/definitions/effect_def_loader.h"
#include "effects/shader_macro.h"

namespace tk {

struct SEffectDefEntry {
  std::string path;  // absolute
  bool dependsOnMacros = true;
  ShaderMacroList macros;  // sorted; empty when the loader ignores macros
  CTkEffectDef* definition = nullptr;
};

class CTkEffectDefCache {
 public:
  // `driverFlag` is handed to every loader (see ITkEffectDefLoader).
  explicit CTkEffectDefCache(bool driverFlag = false);
  ~CTkEffectDefCache();
  CTkEffectDefCache(const CTkEffectDefCache&) = delete;
  CTkEffectDefCache& operator=(const CTkEffectDefCache&) = delete;

  // Takes a reference. Loaders are asked from the last added to the first.
  void addEffectDefLoader(ITkEffectDefLoader* loader);

  // The cached or newly read definition, or null. On failure `lastError`
  // (when given) receives the loader's message, empty when no loader could
  // read the file, and the failure is logged.
  ITkEffectDef* getEffectDef(const char* path, const ShaderMacroList& macros,
                             std::string* lastError);

  size_t size() const { return entries_.size(); }

 private:
  ITkEffectDef* find(const std::string& path, const ShaderMacroList& macros) const;
  void insert(SEffectDefEntry entry);

  bool driverFlag_;
  std::vector<ITkEffectDefLoader*> loaders_;
  std::vector<SEffectDefEntry> entries_;  // sorted by (path, macros)
};

// The engine's loaders in their order. The engine's own format is added last
// so that it is asked first; the COLLADA FX loader belongs in front of it.
void addEngineEffectDefLoaders(CTkEffectDefCache& cache);

}  // namespace tk
