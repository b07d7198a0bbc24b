#pragma once
// Commands on effects: compiled shader effects addressed by ID, whose
// constants and textures scripts set and which camera effects, objects and
// the renderer use. Failures are reported through the last-error slot with
// the codes given.

#include "api/effect_values.h"
#include "effects/shader_macro.h"

namespace tk {

class CTkEffect;

// An entry of the effects table: one counted reference to the effect.
struct CTkEffectItem {
  int id = -1;
  CTkEffect* effect = nullptr;
};

int LoadEffect(const char* file, int id);
bool EffectExist(int id);
void DeleteEffect(int id);
void SetEffectConstantBoolean(int id, const char* name, bool value);
void SetEffectConstantInteger(int id, const char* name, int value);
void SetEffectConstantFloat(int id, const char* name, float value);
void SetEffectConstantFloatN(int id, const char* name, const float* values, int count);
void SetEffectTexture(int id, const char* parameter, const char* file);
// The texture of an image; an empty image ID sets no texture after reporting
// "Image %d does not exist" (code 3).
void SetEffectTextureImage(int id, const char* parameter, int imageId);

// The effect under the ID; null when the ID holds none (nothing reported).
CTkEffect* getEffect(int id);
// The effect under the ID, or null after reporting "Effect ID %d does not exist. %s" with `code`.
CTkEffect* effectOrReport(int id, int code);
// Makes effect `id` from the file as given; 0, or -1 after reporting.
int makeEffect(int id, const char* file, int baseMaterial, const ShaderMacroList& macros);
// Makes effect `id` from effect values: their compile flags, their file
// through the file resolver, then the values applied with textures.
int makeEffectFromValues(int id, const EffectValues& values);
// Applies effect values to the effect under the ID; 0, or -1 after reporting.
int applyEffectValues(int id, const EffectValues& values, bool withTextures);

// Releases every effect of the table (engine shutdown).
void deleteAllEffects();

}  // namespace tk
