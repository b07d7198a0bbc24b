#include "scene/scene_surfaces.h"

#include <algorithm>

#include "scene/scene_effect_values.h"
#include "scene/scene_values.h"

namespace tk {
namespace {

void evaluateValue(const SurfaceParameterDesc& desc, float p, SurfaceParameterValue* out) {
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
}

void evaluateParameter(const SurfaceParameterDesc& desc, float p, SurfaceParameterValue* out) {
  evaluateValue(desc, p, out);
  out->imageFile = desc.image;
  out->imageColorSpace = desc.imageColorSpace;
  out->imageMipMaps = desc.imageMipMaps;
}

void evaluateSurface(const SurfaceDesc& desc, float p, bool load, SurfaceValues* out) {
  if (load) {
    out->name = desc.name;
    out->only = nullptr;
    for (int i = 0; i < kSurfaceParameterCount; ++i) evaluateParameter(desc.values[i], p, &out->parameters[i]);
  } else {
    out->only = &desc.animated;
    for (int i : desc.animated) evaluateValue(desc.values[i], p, &out->parameters[i]);
  }
  out->hasEffect = desc.drawnEffect != nullptr;
  if (out->hasEffect) evaluateEffectRecord(desc.drawnEffect, p, &out->effect);
}

}  // namespace

int sceneSurfaceCount(const STkSceneDesc& scene, const ObjectDesc& object) {
  if (object.sceneObject < 0 || object.sceneObject >= static_cast<int>(scene.sceneObjects.size())) return 0;
  return static_cast<int>(scene.sceneObjects[object.sceneObject].surfaces.size());
}

bool surfacesChangeOverTime(const STkSceneDesc& scene, const ObjectDesc& object) {
  return sceneSurfaceCount(scene, object) > 0 && scene.sceneObjects[object.sceneObject].changesOverTime;
}

int evaluateObjectSurfaces(const STkSceneDesc& scene, const ObjectDesc& object, float p, bool load,
                           std::vector<SurfaceValues>* values) {
  const int count = std::min(sceneSurfaceCount(scene, object), kMaxObjectSurfaces);
  if (count == 0) return 0;
  if (static_cast<int>(values->size()) < count) values->resize(static_cast<size_t>(count));
  const SceneObjectDesc& sceneObject = scene.sceneObjects[object.sceneObject];
  static const std::vector<int> kNothing;
  for (int i = 0; i < count; ++i) {
    SurfaceValues& out = (*values)[i];
    if (load || sceneObject.surfaceChanges[i]) {
      evaluateSurface(sceneObject.surfaces[i], p, load, &out);
    } else {
      out.only = &kNothing;
      out.hasEffect = false;
    }
  }
  return count;
}

}  // namespace tk
