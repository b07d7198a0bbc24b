#pragma once
// Surface values: the surfaces of one object evaluated at a moment (by scene
// loading and scene animation), and how they are handed to the object's
// surfaces. With the load flag the textures are loaded and each surface gets
// the effect variant that draws it.

#include <string>
#include <vector>

#include "api/effect_values.h"
#include "effects/binds/surface_parameters.h"

namespace tk {

// Objects take at most this many surface blocks.
constexpr int kMaxObjectSurfaces = 256;

enum SurfaceValueKind : int {
  kSurfaceValueNone = -1,
  kSurfaceValueVector = 0,
  kSurfaceValueFloat = 1,
  kSurfaceValueInteger = 2,
  kSurfaceValueText = 3,  // no value, only the image fields
};

struct SurfaceParameterValue {
  int kind = kSurfaceValueNone;
  union {
    float floats[3];
    int32_t integer;
  } value{};
  std::string imageFile;
  int imageColorSpace = 0;  // 1: the image holds sRGB colours
  int imageMipMaps = 1;
};

struct SurfaceValues {
  std::string name;
  SurfaceParameterValue parameters[kSurfaceParameterCount];
  bool hasEffect = false;
  EffectValues effect;
};

// Hands `count` blocks (at most kMaxObjectSurfaces are taken) to surfaces 0,
// 1, ... of the object. 0, or -1 after reporting; it does not rebuild the
// object's materials (UpdateObjectFromSurfaces does).
int applyObjectSurfaceValues(int id, int count, const SurfaceValues* values, bool load);

}  // namespace tk
