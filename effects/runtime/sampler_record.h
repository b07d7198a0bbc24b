#pragma once
// How a texture parameter's sampler description becomes a texture layer:
// wrap codes, filters and the sRGB annotation.

#include <string>

#include "effects/definitions/effect_def.h"
#include "effects/runtime/effect_material.h"

namespace tk {

// 0 for an absent or unknown name (names compared ignoring case).
int wrapCodeOf(const std::string& name);
// The layer a sampler description asks for, without texture.
STkTextureLayer samplerRecordOf(const SParameter& parameter);
// True when the parameter has an "SRGB" annotation whose value is "true" (any case).
bool annotationSaysSRGB(const SParameter& parameter);

}  // namespace tk
