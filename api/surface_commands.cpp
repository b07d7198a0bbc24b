#include "api/surface_commands.h"

#include <cstring>

#include "api/engine_items.h"
#include "base/log.h"
#include "effects/binds/surface_parameters.h"

namespace tk {
namespace {

// Objects do not carry a node extension yet: the surface system that builds
// one at load time is not part of the engine so far. Until it is, every
// surface command stops here with the report for an object without one.
bool surfacesReachable(int id) {
  if (!objectOrReport(id)) return false;
  logErrorCode(kErrorArgument1, "Object ID %d unexpected format (no node extension)", id);
  return false;
}

}  // namespace

int surfaceParameterIndex(const char* name) {
  for (int i = 0; i < kSurfaceParameterCount; ++i)
    if (name && strcmp(name, kSurfaceParameterNames[i]) == 0) return i;
  return -1;
}

void SetObjectSurfaceParamTex(int id, int, int, const char*) { surfacesReachable(id); }
void SetObjectSurfaceParamTexImg(int id, int, int, int) { surfacesReachable(id); }
void SetObjectSurfaceParamInt(int id, int, int, int) { surfacesReachable(id); }
void SetObjectSurfaceParamFloat(int id, int, int, float) { surfacesReachable(id); }
void SetObjectSurfaceParamFloat3(int id, int, int, float, float, float) { surfacesReachable(id); }
void SetObjectSurfaceEffect(int id, int, int) { surfacesReachable(id); }
void SetObjectSurfaceEffectTechnique(int id, int, int) { surfacesReachable(id); }
void UpdateObjectFromSurfaces(int id) { surfacesReachable(id); }

}  // namespace tk
