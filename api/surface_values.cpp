#include "api/surface_values.h"

#include <algorithm>

#include "api/effect_commands.h"
#include "api/engine_items.h"
#include "api/object_surfaces.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/runtime/effect.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"
#include "surfaces/lightwave_parameters.h"

namespace tk {
namespace {

void copyValue(const SurfaceParameterValue& p, int i, ITkSurface* surface) {
  switch (p.kind) {
    case kSurfaceValueVector: surface->setVector(i, {p.value.floats[0], p.value.floats[1], p.value.floats[2]}); break;
    case kSurfaceValueFloat: surface->setFloat(i, p.value.floats[0]); break;
    case kSurfaceValueInteger: surface->setInt(i, p.value.integer); break;
    default: break;
  }
}

void copyValues(const SurfaceValues& values, ITkSurface* surface) {
  if (values.only) {
    for (int i : *values.only)
      if (i >= 0 && i < kSurfaceParameterCount) copyValue(values.parameters[i], i, surface);
    return;
  }
  for (int i = 0; i < kSurfaceParameterCount; ++i) copyValue(values.parameters[i], i, surface);
}

void loadTextures(int id, int e, const SurfaceValues& values, ITkSurface* surface) {
  for (int i = 0; i < kSurfaceParameterCount; ++i) {
    const SurfaceParameterValue& p = values.parameters[i];
    if (p.imageFile.empty()) continue;
    irr::video::ITexture* texture = loadSurfaceTexture(p.imageFile.c_str(), p.imageMipMaps != 0);
    if (!texture)
      logErrorCodeShown(kErrorArgument3, "Object ID %d, Surf %d, Param %d: texture '%s' not found", id, e, i,
                        p.imageFile.c_str());
    surface->setTexture(i, texture);
    surface->setTextureOption(i, p.imageColorSpace == 1 ? 1 : 0);
  }
}

// Compiles the variant of the surface's effect (or of the renderer's) that
// fits the surface and sets it as effect e. A failure leaves the material as
// it was.
void makeSurfaceEffect(int id, int e, const SurfaceValues& values, CTkSceneNodeExt* extension,
                       SurfaceEffectReuse* reuse) {
  ITkSurface* surface = extension->getSurface(e);
  if (!surface->getTexture(kLwReflectionImage) && extension->getCubeMap()) {
    surface->setTexture(kLwReflectionImage, extension->getCubeMapTexture());
    surface->setTextureOption(kLwReflectionImage, 0);
  }
  int baseMaterial = 0;
  int capacity = static_cast<int>(kCompileMacroCapacity);
  ShaderMacroList macros;
  if (!surface->getEffectCompileParameters(&baseMaterial, &macros, &capacity, extension->getNode(),
                                           tkEngine().manager->getSceneManager())) {
    logErrorCode(kErrorArgument3, "Object ID %d, Surf %d : Failed to get the effect compile parameters", id, e);
    return;
  }
  std::string rendererFile;
  int room = static_cast<int>(kCompileMacroCapacity) - capacity;
  if (!currentMaterialEffect(&rendererFile, &macros, &room, baseMaterial)) {
    logErrorCode(kErrorArgument3, "Object ID %d, Surf %d : Failed to get the renderer effect", id, e);
    return;
  }
  const bool ownFile = values.hasEffect && !values.effect.file.empty();
  const std::string& file = ownFile ? values.effect.file : rendererFile;
  if (file.empty()) return;  // drawn with its fixed-function material
  if (values.hasEffect) appendCompileFlags(values.effect.compileFlags, kCompileMacroCapacity, &macros);
  const std::string path = reuse ? reuse->resolve(file) : resolveFile(file.c_str());
  // The renderer's variant holds no values of the surface: one serves all who ask for it.
  const bool shareable = reuse && !values.hasEffect;
  if (CTkEffect* shared = shareable ? reuse->find(path, baseMaterial, macros) : nullptr) {
    extension->setEffect(e, shared, 0, 0);
    return;
  }
  CTkEffect* effect = createEngineEffect(path.c_str(), baseMaterial, macros);
  if (!effect) {
    logErrorCodeShown(kErrorArgument3, "Object ID %d, Surf %d : Failed to compile effect %s", id, e, path.c_str());
    return;
  }
  if (shareable) reuse->keep(path, baseMaterial, macros, effect);
  extension->setEffect(e, effect, 0, 0);
  effect->drop();
}

void applyEffectValues(int id, int e, const SurfaceValues& values, bool load, CTkEffect* effect) {
  const char* file = values.effect.file.c_str();
  if (load && !applyEffectValueTextures(effect, values.effect))
    logErrorCode(kErrorArgument3, "Object ID %d Surface %d: failed to set textures of shader '%s'", id, e, file);
  if (!applyEffectValueParameters(effect, values.effect))
    logErrorCode(kErrorArgument3, "Object ID %d Surface %d: failed to set parameters of shader '%s'", id, e, file);
}

}  // namespace

SurfaceEffectReuse::~SurfaceEffectReuse() {
  for (auto& entry : effects_) entry.second->drop();
}

const std::string& SurfaceEffectReuse::resolve(const std::string& file) {
  auto found = resolved_.find(file);
  if (found == resolved_.end()) found = resolved_.emplace(file, resolveFile(file.c_str())).first;
  return found->second;
}

CTkEffect* SurfaceEffectReuse::find(const std::string& path, int baseMaterial, const ShaderMacroList& macros) const {
  auto found = effects_.find(Key(path, baseMaterial, macros));
  return found == effects_.end() ? nullptr : found->second;
}

void SurfaceEffectReuse::keep(const std::string& path, int baseMaterial, const ShaderMacroList& macros,
                              CTkEffect* effect) {
  CTkEffect*& slot = effects_[Key(path, baseMaterial, macros)];
  effect->grab();
  if (slot) slot->drop();
  slot = effect;
}

int applyObjectSurfaceValues(int id, int count, const SurfaceValues* values, bool load, SurfaceEffectReuse* reuse) {
  CTkObjectItem* item = tkEngine().objects ? tkEngine().objects->get(id) : nullptr;
  if (!item) {
    logErrorCode(kErrorArgument1, "Object ID %d does not exist", id);
    return -1;
  }
  CTkSceneNodeExt* extension = objectNodeExt(*item);
  if (!extension) {
    logErrorCode(kErrorArgument1, "Object ID %d unexpected format (no node extension)", id);
    return -1;
  }
  count = std::min(count, kMaxObjectSurfaces);
  for (int e = 0; e < count; ++e) {
    // A block with nothing to hand on (values kept since loading) leaves its surface alone.
    if (!load && values[e].only && values[e].only->empty() && !values[e].hasEffect) continue;
    ITkSurface* surface = extension->getSurface(e);
    if (!surface) {
      logErrorCode(kErrorArgument1, "Object ID %d has no surface %d, cannot SetSurfaces", id, e);
      return -1;
    }
    copyValues(values[e], surface);
    if (load) {
      loadTextures(id, e, values[e], surface);
      makeSurfaceEffect(id, e, values[e], extension, reuse);
    }
    if (CTkEffect* effect = extension->getEffect(e); effect && values[e].hasEffect)
      applyEffectValues(id, e, values[e], load, effect);
  }
  return 0;
}

}  // namespace tk
