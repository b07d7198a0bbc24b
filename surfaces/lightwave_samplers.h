#pragma once
// Which LightWave surface textures effects sample, and under which sampler
// semantics: "LW_Tex_" followed by the parameter's name.

#include <vector>

#include "surfaces/surface.h"
#include "surfaces/surface_samplers.h"

namespace tk {

// BaseColor to Glossiness, ReflectionImage and RefractionImage, in index order.
std::vector<STkSamplerTexture> lightwaveSamplerTextures(const ITkSurface& surface);

}  // namespace tk
