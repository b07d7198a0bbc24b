#include "effects/runtime/effect_tech_lookup.h"

namespace tk {

CTkEffectTechLookup::CTkEffectTechLookup() {
  numbers_["depth"] = 0;
  numbers_["shadow"] = 1;
}

int CTkEffectTechLookup::findTechnique(const char* name) const {
  if (!name || !*name) return -1;
  auto it = numbers_.find(name);
  return it == numbers_.end() ? -1 : it->second;
}

int CTkEffectTechLookup::registerTechnique(const char* name) {
  if (!name || !*name) return -1;
  auto [it, added] = numbers_.emplace(name, next_);
  if (added) ++next_;
  return it->second;
}

}  // namespace tk
