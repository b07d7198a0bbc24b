#pragma once
// Makes surfaces by kind, for the engine context.

#include <irrlicht.h>

#include "surfaces/surface.h"

namespace tk {

class CTkSurfaceManager {
 public:
  // "lightwave" gives a LightWave surface, "lightwave_hv" a HyperVoxel one
  // (with one reference, the caller's); null for any other name.
  ITkSurface* createSurface(const char* typeName) const;
  // The same by type code (kTkSurfaceLightwave, kTkSurfaceLightwaveHV).
  ITkSurface* createSurface(irr::u32 type) const;
};

}  // namespace tk
