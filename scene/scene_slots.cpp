#include "scene/scene_slots.h"

#include <strings.h>

#include <algorithm>
#include <cmath>

#include "api/camera_commands.h"
#include "api/camera_effect_commands.h"
#include "api/engine_items.h"
#include "api/light_commands.h"
#include "api/effect_commands.h"
#include "api/object_commands.h"
#include "api/renderer_commands.h"
#include "api/surface_commands.h"
#include "api/surface_values.h"
#include "base/log.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"
#include "scene/scene_effect_values.h"
#include "scene/scene_surfaces.h"
#include "scene/scene_values.h"

namespace tk {
namespace {

STkSceneSlot g_slots[kSceneSlotCount];
SceneLoadProgress g_progress = nullptr;
void* g_progressUser = nullptr;
bool g_reportLoadFailures = false;

bool cancelled(int percent) { return g_progress && g_progress(percent, g_progressUser) != 0; }

// An object of this scene, or of another loaded scene of the same name, that
// already holds the mesh file.
int sharedMeshSource(const STkSceneSlot& slot, int objectIndex) {
  const std::string& mesh = slot.description->objects[objectIndex].tfilename;
  int id = sceneItemId(slot.objectBase, objectIndex);
  for (const STkSceneSlot& other : g_slots) {
    bool sameScene = &other == &slot;
    if (!sameScene && (!other.inUse || strcasecmp(other.name.c_str(), slot.name.c_str()) != 0)) continue;
    const std::vector<ObjectDesc>& objects = other.description->objects;
    size_t count = sameScene ? static_cast<size_t>(objectIndex) : objects.size();
    for (size_t i = 0; i < count; ++i) {
      int otherId = sceneItemId(other.objectBase, i);
      if (otherId != id && ObjectExist(otherId) && strcasecmp(objects[i].tfilename.c_str(), mesh.c_str()) == 0)
        return otherId;
    }
  }
  return -1;
}

void makeLight(const STkSceneSlot& slot, int index) {
  const LightDesc& l = slot.description->lights[index];
  int id = sceneItemId(slot.lightBase, index);
  if (MakeLight(id) != 0) return;
  if (l.type == 0) SetDirectionalLight(id, 0, 0, 1);
  else if (l.type == 2) SetSpotLight(id, 0, 0);  // the cone follows the animation
  else SetPointLight(id, 0, 0, 1);
  SetLightRange(id, l.falloff ? firstSample(l.range) : 10000000.0f);
  TF_Vec3 c = firstSample3(l.rawColor);
  float w = firstSample(l.intensity);
  ColorLight(id, packRgb(w * c.x * 255, w * c.y * 255, w * c.z * 255));
  SetLightRawColor(id, c.x, c.y, c.z);
  SetLightIntensity(id, w);
  SetLightShadow(id, l.shadowType == 2);
  if (l.shadowType != 0) {
    ColorLightShadow(id, packColour(firstSample3(l.shadowColor)));
    SetShadowMapSize(id, l.shadowMapSize);
    SetShadowMapFuzz(id, firstSample(l.shadowMapFuzz));
  }
  setLightProjectedImage(id, l.projectedImage.c_str());
  setLightVolumetric(id, l.isVolumetric());
  if (l.isVolumetric()) {
    const TF_Node* flags = TF_Find(l.volumetric, "flags");
    const bool listed = flags && flags->kind == TF_VALUE;
    const bool colourSet = listed && flags->count >= 5 && TF_IntAt(flags->data, 4) != 0;
    const TF_Vec3 colour = colourSet ? lerp3OrZero(TF_Find(l.volumetric, "color"), 0) : TF_Vec3{1, 1, 1};
    setLightVolumetricColor(id, colour.x, colour.y, colour.z, colourSet);
    setLightVolumetricSetting(id, listed && flags->count >= 2 ? TF_IntAt(flags->data, 1) : 0);
  }
}

// Loads (or shares) the mesh of object `index`; false when the object is missing afterwards.
bool makeObject(const STkSceneSlot& slot, int index) {
  const ObjectDesc& o = slot.description->objects[index];
  int id = sceneItemId(slot.objectBase, index);
  int source = sharedMeshSource(slot, index);
  // Point caches and point clouds show their plain mesh until those object kinds exist.
  if (source >= 0) CloneObject(id, source);
  else LoadObject(o.tfilename.c_str(), id);
  if (!ObjectExist(id)) {
    if (g_reportLoadFailures) logError("The object id=%d '%s' cannot be loaded", id, o.tfilename.c_str());
    return false;
  }
  SetObjectCastShadows(id, (o.shadowOpts & 2) != 0);
  SetObjectSelectionMask(id, static_cast<unsigned>(o.selectionMask));
  if (slot.attached) LockObjectOn(id);
  HideObject(id);
  return true;
}

// Every object that exists takes its scene surfaces with their textures and
// effects, then rebuilds its materials from them.
void applySceneSurfaces(const STkSceneSlot& slot) {
  const STkSceneDesc& d = *slot.description;
  std::vector<SurfaceValues> values;
  SurfaceEffectReuse reuse;
  for (size_t i = 0; i < d.objects.size(); ++i) {
    const int id = sceneItemId(slot.objectBase, i);
    if (!ObjectExist(id)) continue;
    const int count = sceneSurfaceCount(d, d.objects[i]);
    if (count > kMaxObjectSurfaces)
      logError("The object id=%d '%s' numSurfaces=%d > NOF_SURFACE_MAX=%d. Will result in corruption", id,
               d.objects[i].tfilename.c_str(), count, kMaxObjectSurfaces);
    const int evaluated = evaluateObjectSurfaces(d, d.objects[i], 0, true, &values);
    applyObjectSurfaceValues(id, evaluated, values.data(), true, &reuse);
    UpdateObjectFromSurfaces(id);
  }
}

void makeCameraShader(const STkSceneSlot& slot, int index) {
  int id = sceneItemId(slot.cameraShaderBase, index);
  EffectValues values;
  evaluateEffectRecord(slot.description->cameraShaders[index].effect, 0, &values);
  makeCameraEffectFromFile(id, values.file.c_str(), values.compileFlags.c_str());
  if (!CameraEffectExist(id)) {
    log(LOG_INFO, "The camera shader id=%d file='%s' cannot be loaded", id, values.file.c_str());
    return;
  }
  applyCameraEffectValues(id, values, true);
}

void makeCameraShaders(const STkSceneSlot& slot) {
  int count = static_cast<int>(slot.description->cameraShaders.size());
  for (int i = 0; i < count; ++i) {
    if (i >= kMaxCameraShaders)
      logErrorCode(kErrorArgument7, "Camera shader i=%d > max %d camera shaders", i, kMaxCameraShaders);
    else
      makeCameraShader(slot, i);
  }
}

// The scene's renderer shaders as effects base + i; false at the first that
// cannot be made (it has been reported).
bool makeRendererShaders(const STkSceneSlot& slot) {
  const std::vector<const TF_Node*>& shaders = slot.description->renderer.shaders;
  for (size_t i = 0; i < shaders.size(); ++i) {
    EffectValues values;
    evaluateEffectRecord(shaders[i], 0, &values);
    if (makeEffectFromValues(sceneItemId(slot.effectBase, i), values) != 0) return false;
  }
  return true;
}

// Its textures, its shaders and the renderer itself; a scene whose renderer
// cannot be made is drawn by the default renderer.
void makeRenderer(STkSceneSlot& slot) {
  if (slot.attached || !slot.description->hasRenderer) return;
  const RendererDesc& renderer = slot.description->renderer;
  bool made = tkCreateRendererTextures(renderer.commands);
  if (!made) log(LOG_WARN | LOG_SHOW, "Create renderer textures failed : tkCreateRendererTextures failed");
  made = makeRendererShaders(slot) && made;
  slot.rendererMade = made && tkCreateRenderer(slot.rendererId, slot.effectBase, slot.lightBase, renderer.commands) == 0;
  if (slot.rendererMade) tkSetRenderer(slot.rendererId);
}

void deleteRenderer(const STkSceneSlot& slot) {
  if (slot.attached || !slot.description->hasRenderer) return;
  if (slot.rendererMade) tkDeleteRenderer(slot.rendererId);
  for (size_t i = 0; i < slot.description->renderer.shaders.size(); ++i) {
    const int id = sceneItemId(slot.effectBase, i);
    if (EffectExist(id)) DeleteEffect(id);
  }
}

// Items that could not be made are skipped: they have already been reported.
void forEachObject(const STkSceneSlot& slot, void (*action)(int)) {
  for (size_t i = 0; i < slot.description->objects.size(); ++i) {
    int id = sceneItemId(slot.objectBase, i);
    if (ObjectExist(id)) action(id);
  }
}

void forEachLight(const STkSceneSlot& slot, void (*action)(int)) {
  if (slot.attached) return;
  for (size_t i = 0; i < slot.description->lights.size(); ++i) {
    int id = sceneItemId(slot.lightBase, i);
    if (LightExist(id)) action(id);
  }
}

int countOf(int sceneId, size_t (*count)(const STkSceneDesc&)) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  return slot ? static_cast<int>(count(*slot->description)) : -1;
}

}  // namespace

int sceneCameraShaderCount(const STkSceneSlot& slot) {
  if (slot.attached || !slot.description) return 0;
  return std::min(static_cast<int>(slot.description->cameraShaders.size()), kMaxCameraShaders);
}

void hideSceneCameraShaders(int sceneId) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  if (!slot) return;
  for (int i = 0; i < sceneCameraShaderCount(*slot); ++i) {
    int id = sceneItemId(slot->cameraShaderBase, i);
    if (CameraEffectExist(id)) HideCameraEffect(id);
    slot->cameraShaderOn[i] = false;
  }
}

// The inverse of sceneBasesOf.
static void setSceneBases(STkSceneSlot* slot, const SceneBases& bases) {
  slot->objectBase = bases.object;
  slot->lightBase = bases.light;
  slot->emitterBase = bases.emitter;
  slot->cubeMapBase = bases.cubeMap;
  slot->cameraShaderBase = bases.cameraShader;
  slot->rendererId = bases.renderer;
  slot->effectBase = bases.effect;
}

SceneBases sceneBasesOf(const STkSceneSlot& slot) {
  SceneBases bases;
  bases.object = slot.objectBase;
  bases.light = slot.lightBase;
  bases.emitter = slot.emitterBase;
  bases.cubeMap = slot.cubeMapBase;
  bases.cameraShader = slot.cameraShaderBase;
  bases.renderer = slot.rendererId;
  bases.effect = slot.effectBase;
  return bases;
}

STkSceneSlot* sceneSlot(int sceneId) {
  if (sceneId < 0 || sceneId >= kSceneSlotCount || !g_slots[sceneId].inUse) return nullptr;
  return &g_slots[sceneId];
}

STkSceneSlot* sceneSlotOrReport(int sceneId) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  if (!slot) logErrorCode(kErrorArgument2, "Invalid Scene ID %d", sceneId);
  return slot;
}

void setSceneLoadProgress(SceneLoadProgress progress, void* user) {
  g_progress = progress;
  g_progressUser = user;
}

void setLoadFailureReporting(bool on) { g_reportLoadFailures = on; }

int loadScene(const char* path, int sceneId, const SceneBases& bases, bool shareMeshes, const char* name,
              bool attached) {
  (void)shareMeshes;  // sharing follows the scene name; copies and instances are alike
  if (cancelled(0)) return 1;
  if (sceneId < 0 || sceneId >= kSceneSlotCount) {
    logErrorCode(kErrorArgument2, "Invalid Scene ID %d", sceneId);
    return -1;
  }
  STkSceneSlot& slot = g_slots[sceneId];
  if (slot.inUse) {
    logErrorCode(kErrorArgument2, "Scene ID %d is already in use", sceneId);
    return -1;
  }
  slot = STkSceneSlot();
  slot.attached = attached ? 1 : 0;
  std::string error;
  slot.description = readSceneFile(path, &error);
  if (!slot.description) {
    logErrorCode(kErrorArgument1, "Failed to load scene file '%s', error: %s", path, error.c_str());
    return -1;
  }
  setSceneBases(&slot, bases);
  slot.name = std::string(name ? name : "").substr(0, 255);
  slot.inUse = true;
  // An attached scene follows the engine's camera: it needs none of its own.
  if (slot.description->cameras.empty() && !attached) log(LOG_WARN | LOG_SHOW, "There is no camera in the scene");
  slot.frameStart = slot.description->frameStart;

  if (!attached)
    for (size_t i = 0; i < slot.description->lights.size(); ++i) makeLight(slot, static_cast<int>(i));
  size_t objectCount = slot.description->objects.size();
  for (size_t i = 0; i < objectCount; ++i) {
    if (cancelled(static_cast<int>(100 * i / objectCount))) return 1;
    makeObject(slot, static_cast<int>(i));
  }
  makeRenderer(slot);
  applySceneSurfaces(slot);
  if (!attached) makeCameraShaders(slot);
  HideScene(sceneId);
  return 0;
}

int LoadScene(const char* path, int sceneId, const SceneBases& bases, bool shareMeshes, const char* name) {
  DeleteScene(sceneId);
  int result = loadScene(path, sceneId, bases, shareMeshes, name, false);
  if (result < 0) {
    // The loader's own complaint (a bad ID, a file that cannot be read) is the
    // reason; it keeps its code, which names the argument at fault.
    std::string reason;
    int code = kErrorArgument1;
    takeLastError(&reason, &code);
    if (sceneId < 0 || sceneId >= kSceneSlotCount)
      reason += " (scene IDs are 0 to " + std::to_string(kSceneSlotCount - 1) + ")";
    logErrorCode(code, "Failed to load scene '%s': %s", path, reason.c_str());
  }
  return result;
}

bool SceneExist(int sceneId) { return sceneSlot(sceneId) != nullptr; }

void DeleteScene(int sceneId) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  if (!slot) return;
  forEachObject(*slot, DeleteObject);
  forEachLight(*slot, DeleteLight);
  for (int i = 0; i < sceneCameraShaderCount(*slot); ++i)
    DeleteCameraEffect(sceneItemId(slot->cameraShaderBase, i));
  deleteRenderer(*slot);
  *slot = STkSceneSlot();
}

void ShowScene(int sceneId) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  if (!slot) return;
  forEachObject(*slot, ShowObject);
  forEachLight(*slot, ShowLight);
  tkEngine().manager->getRendererManager()->getLastFrameInfo()->invalidate();
  if (slot->attached) return;
  const STkSceneDesc& d = *slot->description;
  ColorBackdrop(packColour(firstSample3(d.backdrop)));
  // A scene without a renderer of its own leaves the current one: its
  // renderer ID may be another scene's.
  if (slot->rendererMade) tkSetRenderer(slot->rendererId);
  tkEngine().colorSpaceViewer = d.colorSpaceViewer;
  if (TF_Int(TF_Find(d.renderSettings, "CH_CAMERARANGE_ENABLE"), 0) != 0)
    SetCameraRange(firstSample(TF_Find(d.renderSettings, "CH_CAMERARANGE_MIN")),
                   firstSample(TF_Find(d.renderSettings, "CH_CAMERARANGE_MAX")));
}

void HideScene(int sceneId) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  if (!slot) return;
  forEachObject(*slot, HideObject);
  forEachLight(*slot, HideLight);
  hideSceneCameraShaders(sceneId);
  // Only the scene's own renderer gives way: another scene's stays current.
  if (slot->rendererMade) {
    ITkRenderer* own = getRenderer(slot->rendererId);
    if (own && rendering().currentRenderer == own) tkSetDefaultRenderer();
  }
  slot->applied = AppliedRenderSettings();
}

int SceneTotalObjects(int id) { return countOf(id, [](const STkSceneDesc& d) { return d.objects.size(); }); }
int SceneTotalLights(int id) { return countOf(id, [](const STkSceneDesc& d) { return d.lights.size(); }); }
int SceneTotalFxEmitters(int id) { return countOf(id, [](const STkSceneDesc& d) { return d.emitters.size(); }); }
int SceneTotalCubeMaps(int id) { return countOf(id, [](const STkSceneDesc& d) { return d.cubeMaps.size(); }); }
int SceneTotalCameraShaders(int id) {
  return countOf(id, [](const STkSceneDesc& d) { return d.cameraShaders.size(); });
}
int SceneTotalEffects(int id) {
  return countOf(id, [](const STkSceneDesc& d) { return d.hasRenderer ? d.renderer.shaders.size() : size_t{0}; });
}

int sceneFrameRate(const STkSceneDesc& d) { return saturatedInt(static_cast<double>(d.framesPerSecond)); }

int64_t sceneFrameSpan(const STkSceneDesc& d) { return static_cast<int64_t>(d.frameEnd) - d.frameStart; }

int SceneAnimTimeEnd(int sceneId) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  if (!slot) return 0;
  int rate = sceneFrameRate(*slot->description);
  if (rate < 1) return 0;
  return saturatedInt(sceneFrameSpan(*slot->description) * 1000 / rate);
}

int SceneFps(int sceneId) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  return slot ? sceneFrameRate(*slot->description) : 0;
}

int SceneFrameStart(int sceneId) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  return slot ? slot->description->frameStart : 0;
}

std::string sceneMusicFile(int sceneId) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  return slot ? slot->description->music : "";
}

int sceneMusicOffset(int sceneId) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  if (!slot) return 0;
  const STkSceneDesc& d = *slot->description;
  // A scene without a frame rate has no frame time to subtract.
  double rate = d.framesPerSecond;
  double startSeconds = rate != 0 && std::isfinite(rate) ? d.frameStart / rate : 0.0;
  return saturatedInt(-1000.0 * (d.audioStartTime - startSeconds));
}

bool sceneAnimated(int sceneId) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  return slot && sceneFrameSpan(*slot->description) > 2;
}

int sceneHasRenderer(int sceneId) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  if (!slot) return -1;
  return slot->description->hasRenderer ? 1 : 0;
}

void deleteAllScenes() {
  for (int id = 0; id < kSceneSlotCount; ++id) DeleteScene(id);
}

}  // namespace tk
