#include "surfaces/surface_manager.h"

#include <cstring>

#include "surfaces/surface_hypervoxel.h"
#include "surfaces/surface_lightwave.h"

namespace tk {

ITkSurface* CTkSurfaceManager::createSurface(const char* typeName) const {
  if (!typeName) return nullptr;
  if (std::strcmp(typeName, "lightwave") == 0) return createSurface(kTkSurfaceLightwave);
  if (std::strcmp(typeName, "lightwave_hv") == 0) return createSurface(kTkSurfaceLightwaveHV);
  return nullptr;
}

ITkSurface* CTkSurfaceManager::createSurface(irr::u32 type) const {
  if (type == kTkSurfaceLightwave) return new CTkSurfaceLightwave();
  if (type == kTkSurfaceLightwaveHV) return new CTkSurfaceLightwaveHV();
  return nullptr;
}

}  // namespace tk
