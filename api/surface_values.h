#pragma once
// Surface values: the surfaces of one object evaluated at a moment (by scene
// loading and scene animation), and how they are handed to the object's
// surfaces. With the load flag the textures are loaded and each surface gets
// the effect variant that draws it.

#include <map>
#include <string>
#include <tuple>
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
  // The indexes of the parameter entries to hand on, when only some are
  // (those that change over time); null: every entry.
  const std::vector<int>* only = nullptr;
  bool hasEffect = false;
  EffectValues effect;
};

// What the surfaces of many objects loaded together share: effect files
// already looked up, and the renderer's effect variants already made. A
// surface drawn with the renderer's effect (no effect values of its own) keeps
// no values in its effect, so surfaces that ask for the same variant draw
// with one effect. Holds a reference to each effect until it goes.
class SurfaceEffectReuse {
 public:
  SurfaceEffectReuse() = default;
  ~SurfaceEffectReuse();
  SurfaceEffectReuse(const SurfaceEffectReuse&) = delete;
  SurfaceEffectReuse& operator=(const SurfaceEffectReuse&) = delete;

  // The file through the file resolver, looked up once.
  const std::string& resolve(const std::string& file);
  // The effect made before for these inputs, or null.
  CTkEffect* find(const std::string& path, int baseMaterial, const ShaderMacroList& macros) const;
  // Takes a reference.
  void keep(const std::string& path, int baseMaterial, const ShaderMacroList& macros, CTkEffect* effect);

 private:
  using Key = std::tuple<std::string, int, ShaderMacroList>;
  std::map<std::string, std::string> resolved_;
  std::map<Key, CTkEffect*> effects_;
};

// Hands `count` blocks (at most kMaxObjectSurfaces are taken) to surfaces 0,
// 1, ... of the object. 0, or -1 after reporting; it does not rebuild the
// object's materials (UpdateObjectFromSurfaces does). `reuse` (may be null)
// lets objects loaded together share the renderer's effect variants.
int applyObjectSurfaceValues(int id, int count, const SurfaceValues* values, bool load,
                             SurfaceEffectReuse* reuse = nullptr);

}  // namespace tk
