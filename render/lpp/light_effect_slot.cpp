#include "render/lpp/light_effect_slot.h"

#include <cmath>

namespace tk {
namespace {

constexpr int kPointGroup = 1;
const char* const kGroupMacros[] = {"USE_DISTANT", "USE_POINT", "USE_SPOTLIGHT"};
const char* const kFilterMacros[kLightEffectFilterCount] = {nullptr,   "USE_SH0", "USE_SH1",  "USE_SH2",
                                                            "USE_SH4", "USE_SH8", "USE_SH16", "USE_SH32"};

}  // namespace

int lightEffectGroup(irr::video::E_LIGHT_TYPE type) {
  switch (type) {
    case irr::video::ELT_DIRECTIONAL: return 0;
    case irr::video::ELT_POINT: return 1;
    case irr::video::ELT_SPOT: return 2;
    default: return -1;
  }
}

// A fuzz that is no number asks for no softness.
int shadowFilterOf(float fuzz) {
  if (std::isnan(fuzz) || fuzz < 1) return 1;
  if (fuzz < 2) return 2;
  if (fuzz < 4) return 3;
  if (fuzz < 8) return 4;
  if (fuzz < 16) return 5;
  if (fuzz < 32) return 6;
  return 7;
}

bool lightEffectShadows(int group) { return group >= 0 && group != kPointGroup; }

int lightEffectSlot(irr::video::E_LIGHT_TYPE type, bool shadowed, float fuzz) {
  const int group = lightEffectGroup(type);
  if (group < 0) return -1;
  const int filter = shadowed && lightEffectShadows(group) ? shadowFilterOf(fuzz) : 0;
  return group * kLightEffectFilterCount + filter;
}

bool lightEffectSlotUsed(int slot) {
  if (slot < 0 || slot >= kLightEffectSlotCount) return false;
  return lightEffectShadows(slot / kLightEffectFilterCount) || slot % kLightEffectFilterCount == 0;
}

ShaderMacroList lightEffectMacros(int slot) {
  ShaderMacroList macros;
  if (!lightEffectSlotUsed(slot)) return macros;
  macros.push_back({kGroupMacros[slot / kLightEffectFilterCount], ""});
  if (const char* filter = kFilterMacros[slot % kLightEffectFilterCount]) {
    macros.push_back({"USE_SHADOW", ""});
    macros.push_back({filter, ""});
  }
  return macros;
}

}  // namespace tk
