#pragma once
// Placing a surface's textures on the samplers of an effect: every texture
// parameter of the effect whose semantic names a surface texture receives it,
// either in the effect itself or in the layers of a material drawn with one of
// its passes. The texture option is the sRGB default.

#include <irrlicht.h>

#include <cstdint>
#include <string>
#include <vector>

#include "effects/runtime/effect.h"
#include "effects/runtime/effect_material.h"

namespace tk {

struct STkSamplerTexture {
  std::vector<std::string> semantics;  // sampler semantics that take this texture
  irr::video::ITexture* texture = nullptr;  // none clears those samplers
  uint8_t option = 0;
};

// The effect's texture parameters with one of these semantics, in parameter order.
std::vector<int> samplerParametersNamed(const CTkEffect& effect, const std::vector<std::string>& semantics);

// In list order; a refused sampler logs "<surfaceClass>::setEffectTextures
// setSamplerTexture failed for <semantic>" and stops with false.
bool putTexturesOnEffect(const std::vector<STkSamplerTexture>& textures, CTkEffect* effect, const char* surfaceClass);

// The same into the material's 8 pixel and 4 vertex layers for one technique
// and pass (refusal: "<surfaceClass>::setEffectTextureOnMaterial
// setSamplerTextureOnMaterial failed for <semantic>", the material left as it
// was); afterwards an empty pixel layer 0 receives `fallback`.
bool putTexturesOnMaterial(const std::vector<STkSamplerTexture>& textures, irr::video::ITexture* fallback,
                           uint8_t fallbackOption, STkMaterial* material, const CTkEffect* effect, int technique,
                           int pass, const char* surfaceClass);

}  // namespace tk
