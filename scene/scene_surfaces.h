#pragma once
// The surfaces of a scene's objects evaluated at a sample position, as the
// surface values the object surface operation takes.

#include <vector>

#include "api/surface_values.h"
#include "scene/scene_desc.h"

namespace tk {

// Fills `values` (reused from call to call) with the surfaces of the scene
// object the object names, at most kMaxObjectSurfaces, and answers how many;
// 0 for an object without a scene object. Loading takes every parameter with
// its image; animation (`load` false) only those that change over time and
// the effect's values.
int evaluateObjectSurfaces(const STkSceneDesc& scene, const ObjectDesc& object, float p, bool load,
                           std::vector<SurfaceValues>* values);
// The object's surfaces change over time (some parameter is animated, or some
// surface has an effect whose values are handed on).
bool surfacesChangeOverTime(const STkSceneDesc& scene, const ObjectDesc& object);

// The number of surfaces the object's scene object describes.
int sceneSurfaceCount(const STkSceneDesc& scene, const ObjectDesc& object);

}  // namespace tk
