#pragma once
// A LightWave surface as the display library's fixed-function material, and
// back. The way back keeps what a material can say: its colours, shininess,
// transparency, reflection and parallax textures, culling and drawing mode.

#include <irrlicht.h>

#include "effects/runtime/effect_material.h"
#include "surfaces/surface.h"

namespace tk {

// The material type that draws the surface without an effect.
irr::video::E_MATERIAL_TYPE lightwaveMaterialType(const ITkSurfaceView& surface);
void applyLightwaveToMaterial(const ITkSurface& surface, STkMaterial* material);
// Sets the values the material gives on a cleared surface.
void initLightwaveFromMaterial(const STkMaterial& material, ITkSurface* surface);

}  // namespace tk
