#pragma once
// Indexes of the 39 LightWave surface parameters, in the order of their names
// in effects/binds/surface_parameters.h.

#include "effects/binds/surface_parameters.h"

namespace tk {

enum LightwaveParameter : int {
  kLwBaseColor = 0,
  kLwLuminosity = 1,
  kLwDiffuse = 2,
  kLwSpecularity = 3,
  kLwReflectivity = 4,
  kLwTransparency = 5,
  kLwTranslucency = 6,
  kLwIOR = 7,
  kLwBump = 8,
  kLwGlossiness = 9,
  kLwSpecialBuffer1 = 10,
  kLwSpecialBuffer2 = 11,
  kLwSpecialBuffer3 = 12,
  kLwSpecialBuffer4 = 13,
  kLwDiffuseSharpness = 14,
  kLwBumpDropoff = 15,
  kLwSmoothingAngle = 16,
  kLwReflectionSeamAngle = 17,
  kLwRefractionSeamAngle = 18,
  kLwReflectionBlurring = 19,
  kLwRefractionBlurring = 20,
  kLwColorFilter = 21,
  kLwColorHighlights = 22,
  kLwAdditiveTransparency = 23,
  kLwAlphaValue = 24,
  kLwGlowValue = 25,
  kLwLineColor = 26,
  kLwLineSize = 27,
  kLwAlphaOptions = 28,
  kLwReflectionOptions = 29,
  kLwRefractionOptions = 30,
  kLwSidedness = 31,
  kLwExcludeFromVStack = 32,
  kLwGlow = 33,
  kLwRenderOutlines = 34,
  kLwReflectionImage = 35,
  kLwRefractionImage = 36,
  kLwVertexColoring = 37,
  kLwVertexNormal = 38,
};
static_assert(kLwVertexNormal + 1 == kSurfaceParameterCount && kLwGlossiness == kSurfaceGlossiness &&
                  kLwGlowValue == kSurfaceGlowValue && kLwReflectionImage == kSurfaceReflectionImage,
              "one numbering of the surface parameters");

}  // namespace tk
