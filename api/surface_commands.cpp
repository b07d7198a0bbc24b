#include "api/surface_commands.h"

#include <cstring>

#include "api/effect_commands.h"
#include "api/engine_items.h"
#include "api/image_commands.h"
#include "api/object_surfaces.h"
#include "base/log.h"
#include "effects/binds/surface_parameters.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"

namespace tk {
namespace {

// Macro lists of an object surface's effect hold this many entries, the end
// entry counted.
constexpr int kSurfaceMacroRoom = 20;

CTkSceneNodeExt* extensionOrReport(int id) {
  CTkObjectItem* item = objectOrReport(id);
  if (!item) return nullptr;
  CTkSceneNodeExt* extension = objectNodeExt(*item);
  if (!extension) logErrorCode(kErrorArgument1, "Object ID %d unexpected format (no node extension)", id);
  return extension;
}

// The object's extension when it has surface `surface`; null after reporting.
CTkSceneNodeExt* extensionWithSurface(int id, int surface) {
  CTkSceneNodeExt* extension = extensionOrReport(id);
  if (extension && !extension->getSurface(surface)) {
    logErrorCode(kErrorArgument2, "Object ID %d has no surface %d", id, surface);
    return nullptr;
  }
  return extension;
}

ITkSurface* surfaceOrReport(int id, int surface) {
  CTkSceneNodeExt* extension = extensionWithSurface(id, surface);
  return extension ? extension->getSurface(surface) : nullptr;
}

}  // namespace

int surfaceParameterIndex(const char* name) {
  for (int i = 0; i < kSurfaceParameterCount; ++i)
    if (name && strcmp(name, kSurfaceParameterNames[i]) == 0) return i;
  return -1;
}

void SetObjectSurfaceParamTex(int id, int surface, int parameter, const char* textureFile) {
  ITkSurface* target = surfaceOrReport(id, surface);
  if (!target) return;
  irr::video::ITexture* texture = loadSurfaceTexture(textureFile, true);
  if (!texture) {
    logErrorCode(kErrorArgument4, "Texture does not exist '%s'", textureFile ? textureFile : "");
    return;
  }
  target->setTexture(parameter, texture);
}

void SetObjectSurfaceParamTexImg(int id, int surface, int parameter, int imageId) {
  ITkSurface* target = surfaceOrReport(id, surface);
  if (!target) return;
  irr::video::ITexture* texture = getImageTexture(imageId);
  if (!texture) {
    logErrorCode(kErrorArgument4, "Image %d does not exist", imageId);
    return;
  }
  target->setTexture(parameter, texture);
}

void SetObjectSurfaceParamInt(int id, int surface, int parameter, int value) {
  if (ITkSurface* target = surfaceOrReport(id, surface)) target->setInt(parameter, value);
}

void SetObjectSurfaceParamFloat(int id, int surface, int parameter, float value) {
  if (ITkSurface* target = surfaceOrReport(id, surface)) target->setFloat(parameter, value);
}

void SetObjectSurfaceParamFloat3(int id, int surface, int parameter, float x, float y, float z) {
  if (ITkSurface* target = surfaceOrReport(id, surface)) target->setVector(parameter, {x, y, z});
}

void SetObjectSurfaceEffect(int id, int surface, int effectId) {
  CTkSceneNodeExt* extension = extensionOrReport(id);
  if (!extension) return;
  CTkEffect* effect = effectOrReport(effectId, kErrorArgument3);
  if (!effect) return;
  if (!extension->getSurface(surface)) {
    logErrorCode(kErrorArgument2, "Object ID %d has no surface %d", id, surface);
    return;
  }
  extension->setEffect(surface, effect, 0, 0);
}

void SetObjectSurfaceEffectTechnique(int id, int surface, int technique) {
  if (CTkSceneNodeExt* extension = extensionWithSurface(id, surface)) extension->setTechnique(surface, technique);
}

void UpdateObjectFromSurfaces(int id) {
  if (CTkSceneNodeExt* extension = extensionOrReport(id)) extension->update();
}

int LoadEffectForObjectSurface(const char* file, int id, int objectId, int surface) {
  CTkObjectItem* item = tkEngine().objects ? tkEngine().objects->get(objectId) : nullptr;
  if (!item) {
    logErrorCode(kErrorArgument3, "Object ID %d does not exist", objectId);
    return -1;
  }
  CTkSceneNodeExt* extension = objectNodeExt(*item);
  if (!extension) {
    logErrorCode(kErrorArgument3, "Object ID %d does not have node extension", objectId);
    return -1;
  }
  ITkSurface* target = extension->getSurface(surface);
  if (!target) {
    logErrorCode(kErrorArgument4, "Invalid surface ID %d for the Object ID %d", surface, objectId);
    return -1;
  }
  int baseMaterial = 0;
  int capacity = kSurfaceMacroRoom;
  ShaderMacroList macros;
  if (!target->getEffectCompileParameters(&baseMaterial, &macros, &capacity, item->node,
                                          tkEngine().manager->getSceneManager())) {
    logErrorCode(kErrorNoArgument, "Failed to get the effect compile parameters");
    return -1;
  }
  std::string unusedFile;
  int room = kSurfaceMacroRoom - capacity;
  if (!currentMaterialEffect(&unusedFile, &macros, &room, baseMaterial)) {
    logErrorCode(kErrorNoArgument, "Failed to get the renderer effect");
    return -1;
  }
  return makeEffect(id, file, baseMaterial, macros);
}

}  // namespace tk
