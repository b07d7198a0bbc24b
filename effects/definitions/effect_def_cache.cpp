#include "effects/definitions/effect_def_cache.h"

#include <algorithm>
#include <tuple>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/definitions/effect_def_loader_tesk.h"

namespace tk {
namespace {

// The key of a request: the named macros, sorted. A nameless entry carries
// nothing to the compiler, so it does not tell two requests apart.
ShaderMacroList macroKey(const ShaderMacroList& macros) {
  ShaderMacroList named;
  for (const SShaderMacro& macro : macros) {
    if (!macro.name.empty()) named.push_back(macro);
  }
  return sortedMacros(std::move(named));
}

bool entryBefore(const SEffectDefEntry& entry, const std::string& path,
                 const ShaderMacroList& macros) {
  return std::tie(entry.path, entry.macros) < std::tie(path, macros);
}

}  // namespace

CTkEffectDefCache::CTkEffectDefCache(bool driverFlag) : driverFlag_(driverFlag) {}

CTkEffectDefCache::~CTkEffectDefCache() {
  for (SEffectDefEntry& entry : entries_) entry.definition->drop();
  for (ITkEffectDefLoader* loader : loaders_) loader->drop();
}

void CTkEffectDefCache::addEffectDefLoader(ITkEffectDefLoader* loader) {
  if (!loader) return;
  loader->grab();
  loaders_.push_back(loader);
}

ITkEffectDef* CTkEffectDefCache::find(const std::string& path,
                                      const ShaderMacroList& macros) const {
  auto lowerBound = [&](const ShaderMacroList& key) {
    return std::lower_bound(entries_.begin(), entries_.end(), key,
                            [&](const SEffectDefEntry& entry, const ShaderMacroList& k) {
                              return entryBefore(entry, path, k);
                            });
  };
  // A definition that ignores macros is stored with none and serves any set.
  auto any = lowerBound(ShaderMacroList());
  if (any != entries_.end() && any->path == path && !any->dependsOnMacros) return any->definition;
  auto exact = lowerBound(macros);
  if (exact != entries_.end() && exact->path == path && exact->macros == macros) {
    return exact->definition;
  }
  return nullptr;
}

void CTkEffectDefCache::insert(SEffectDefEntry entry) {
  auto at = std::lower_bound(entries_.begin(), entries_.end(), entry,
                             [](const SEffectDefEntry& a, const SEffectDefEntry& b) {
                               return entryBefore(a, b.path, b.macros);
                             });
  entries_.insert(at, std::move(entry));
}

ITkEffectDef* CTkEffectDefCache::getEffectDef(const char* path, const ShaderMacroList& macros,
                                              std::string* lastError) {
  const char* asked = path ? path : "";
  const std::string absolute = fileLayer().absolutePath(asked);
  const ShaderMacroList sorted = macroKey(macros);
  if (ITkEffectDef* cached = find(absolute, sorted)) return cached;

  for (auto loader = loaders_.rbegin(); loader != loaders_.rend(); ++loader) {
    if (!(*loader)->isLoadableEffectFile(absolute.c_str())) continue;
    std::string error;
    CTkEffectDef* def =
        (*loader)->createEffectDef(fileLayer(), absolute.c_str(), sorted, driverFlag_, &error);
    if (!def) continue;
    if (!error.empty()) {
      log(LOG_ERROR, "CTkEffectManager: ERROR ITkEffectDef : %s", error.c_str());
      if (lastError) *lastError = error;
      def->drop();
      return nullptr;
    }
    SEffectDefEntry entry;
    entry.path = absolute;
    entry.dependsOnMacros = (*loader)->dependsOnMacros();
    if (entry.dependsOnMacros) entry.macros = sorted;
    entry.definition = def;
    insert(std::move(entry));
    return def;
  }
  log(LOG_ERROR, "CTkEffectManager: Cannot load effect %s", asked);
  if (lastError) lastError->clear();
  return nullptr;
}

void addEngineEffectDefLoaders(CTkEffectDefCache& cache) {
  CTkEffectDefLoaderTesk* tesk = new CTkEffectDefLoaderTesk();
  cache.addEffectDefLoader(tesk);
  tesk->drop();
}

}  // namespace tk
