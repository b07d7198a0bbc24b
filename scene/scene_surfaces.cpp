#include "scene/scene_surfaces.h"

#include <algorithm>

#include "scene/scene_effect_values.h"
#include "scene/scene_values.h"

namespace tk {
namespace {

void evaluateParameter(const SurfaceParameterDesc& desc, float p, SurfaceParameterValue* out) {
  out->kind = desc.kind;
  switch (desc.kind) {
    case kSurfaceValueVector: {
      const TF_Vec3 v = lerp3OrZero(desc.value, p);
      out->value.floats[0] = v.x;
      out->value.floats[1] = v.y;
      out->value.floats[2] = v.z;
      break;
    }
    case kSurfaceValueFloat: out->value.floats[0] = lerpOrZero(desc.value, p); break;
    case kSurfaceValueInteger: out->value.integer = TF_Int(desc.value, 0); break;
    default: break;
  }
  out->imageFile = desc.image;
  out->imageColorSpace = desc.imageColorSpace;
  out->imageMipMaps = desc.imageMipMaps;
}

void evaluateSurface(const SurfaceDesc& desc, float p, SurfaceValues* out) {
  out->name = desc.name;
  for (int i = 0; i < kSurfaceParameterCount; ++i) evaluateParameter(desc.values[i], p, &out->parameters[i]);
  out->hasEffect = desc.drawnEffect != nullptr;
  if (out->hasEffect) evaluateEffectRecord(desc.drawnEffect, p, &out->effect);
}

}  // namespace

int sceneSurfaceCount(const STkSceneDesc& scene, const ObjectDesc& object) {
  if (object.sceneObject < 0 || object.sceneObject >= static_cast<int>(scene.sceneObjects.size())) return 0;
  return static_cast<int>(scene.sceneObjects[object.sceneObject].surfaces.size());
}

int evaluateObjectSurfaces(const STkSceneDesc& scene, const ObjectDesc& object, float p,
                           std::vector<SurfaceValues>* values) {
  const int count = std::min(sceneSurfaceCount(scene, object), kMaxObjectSurfaces);
  if (count == 0) return 0;
  if (static_cast<int>(values->size()) < count) values->resize(static_cast<size_t>(count));
  const std::vector<SurfaceDesc>& surfaces = scene.sceneObjects[object.sceneObject].surfaces;
  for (int i = 0; i < count; ++i) evaluateSurface(surfaces[i], p, &(*values)[i]);
  return count;
}

}  // namespace tk
