#pragma once
// Which variant of the light-pass effect draws a light: 24 slots, eight per
// light kind (distant 0-7, point 8-15, spot 16-23), the first of each
// unshadowed and the other seven shadowed with ever wider filters. Point
// lights have only their unshadowed variant.

#include <irrlicht.h>

#include "effects/shader_macro.h"

namespace tk {

constexpr int kLightEffectSlotCount = 24;
constexpr int kLightEffectFilterCount = 8;

// 0 distant, 1 point, 2 spot; -1 for any other type.
int lightEffectGroup(irr::video::E_LIGHT_TYPE type);
// The shadow filter (1 to 7) for a fuzz: sharp below 1, the widest from 32 on.
int shadowFilterOf(float fuzz);
// Whether the group has a shadowed variant at all.
bool lightEffectShadows(int group);
// The slot drawing a light of `type`; a point light is drawn unshadowed
// whatever `shadowed` says. -1 for a type without variants.
int lightEffectSlot(irr::video::E_LIGHT_TYPE type, bool shadowed, float fuzz);
// Whether the slot has a variant (point lights leave seven empty).
bool lightEffectSlotUsed(int slot);
// The macros the slot's variant is compiled with.
ShaderMacroList lightEffectMacros(int slot);

}  // namespace tk
