#include "scene/scene_animation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "api/camera_commands.h"
#include "api/camera_effect_commands.h"
#include "api/effect_commands.h"
#include "api/engine_items.h"
#include "api/light_commands.h"
#include "api/object_commands.h"
#include "api/render_frame.h"
#include "api/surface_values.h"
#include "base/log.h"
#include "base/saturating.h"
#include "render/tk_manager.h"
#include "scene/scene_effect_values.h"
#include "scene/scene_slots.h"
#include "scene/scene_surfaces.h"
#include "scene/scene_values.h"

namespace tk {
namespace {

struct Moment {
  int t;
  float p;  // sample position
  float f;  // scene frame
};

Moment momentOf(const STkSceneDesc& d, int t) { return {t, scenePosition(d, t), sceneFrame(d, t)}; }

int settingInt(const STkSceneDesc& d, const char* key, int fallback = 0) {
  return TF_Int(TF_Find(d.renderSettings, key), fallback);
}
float settingAt(const STkSceneDesc& d, const char* key, float p) { return lerpOrZero(TF_Find(d.renderSettings, key), p); }

// Hands a group on when its enable changed or is on; remembers the enable.
bool enableChanged(int enable, int* applied) {
  bool changed = enable != *applied;
  *applied = enable;
  return changed;
}

void glowStep(const STkSceneDesc& d, STkSceneSlot& slot, float p, STkRenderSettings& s) {
  int enable = TF_Int(TF_Find(d.imageProcessing, "glowEffect"), 0);
  bool fromSettings = settingInt(d, "CH_GLOW_ENABLE") != 0;
  if (fromSettings) enable = 1;
  if (enable == slot.applied.glow && enable == 0) return;
  s.glowEnable = enable;
  if (fromSettings) {
    s.glowIntensity = settingAt(d, "CH_GLOW_INTENSITY", p);
    s.glowRadius = settingAt(d, "CH_GLOW_RADIUS", p);
    s.glowSurfaceIntensity = settingAt(d, "CH_GLOW_SURFACE_INTENSITY", p);
  } else {
    s.glowIntensity = lerpOrZero(TF_Find(d.imageProcessing, "glowIntensity"), p);
    s.glowRadius = lerpOrZero(TF_Find(d.imageProcessing, "glowRadius"), p);
    s.glowSurfaceIntensity = 1;
  }
  slot.applied.glow = enable;
}

void renderSettingsStep(const STkSceneDesc& d, STkSceneSlot& slot, float p) {
  STkRenderSettings& s = tkEngine().renderSettings;
  glowStep(d, slot, p, s);
  int bloom = settingInt(d, "CH_BLOOM_ENABLE");
  if (enableChanged(bloom, &slot.applied.bloom)) s.bloomEnable = bloom;
  if (bloom) {
    s.bloomThreshold = settingAt(d, "CH_BLOOM_THRESHOLD", p);
    s.bloomIntensity = settingAt(d, "CH_BLOOM_INTENSITY", p);
  }
  int streak = settingInt(d, "CH_STREAK_ENABLE");
  if (enableChanged(streak, &slot.applied.streak)) s.streakEnable = streak;
  if (streak) {
    s.streakThreshold = settingAt(d, "CH_STREAK_THRESHOLD", p);
    s.streakIntensity = settingAt(d, "CH_STREAK_INTENSITY", p);
    TF_Vec3 tint = lerp3OrZero(TF_Find(d.renderSettings, "CH_STREAK_TINT"), p);
    s.streakTint[0] = tint.x;
    s.streakTint[1] = tint.y;
    s.streakTint[2] = tint.z;
    s.streakAttenuation = settingAt(d, "CH_STREAK_ATTENUATION", p);
    s.streakAngle = settingAt(d, "CH_STREAK_ANGLE", p) * kRadiansToDegrees;
  }
  int ssao = settingInt(d, "CH_SSAO_ENABLE");
  if (enableChanged(ssao, &slot.applied.ssao)) s.ssaoEnable = ssao;
  if (ssao) {
    s.ssaoDistanceReach = settingAt(d, "CH_SSAO_DISTANCEREACH", p);
    s.ssaoMaxDepthDecline = settingAt(d, "CH_SSAO_MAXDEPTHDECLINE", p);
    s.ssaoDepthAliasingEpsilon = settingAt(d, "CH_SSAO_DEPTHALIASINGEPSILON", p);
    s.ssaoOutputMultiplier = settingAt(d, "CH_SSAO_OUTPUTMULTIPLIER", p);
  }
  int shadow = settingInt(d, "CH_SHADOW_ENABLE");
  if (enableChanged(shadow, &slot.applied.shadow)) s.shadowEnable = shadow;
  if (shadow) s.shadowEpsilon = settingAt(d, "CH_SHADOW_EPSILON", p);

  int aa[6] = {settingInt(d, "CH_AA_JITTER"),   settingInt(d, "CH_AA_LOCATION", 1),
               settingInt(d, "CH_AA_MODE", 1),  settingInt(d, "CH_AA_BLENDING"),
               settingInt(d, "CH_AA_BLENDING_WEIGHT"), settingInt(d, "CH_AA_VLIMIT_ENABLE")};
  float limit = firstSample(TF_Find(d.renderSettings, "CH_AA_VLIMIT_VAL"));
  if (std::equal(aa, aa + 6, slot.applied.antialias) && limit == slot.applied.antialiasLimit) return;
  std::copy(aa, aa + 6, slot.applied.antialias);
  std::copy(aa, aa + 6, s.antialias);
  slot.applied.antialiasLimit = limit;
  s.antialiasLimit = limit;
}

int cameraIndex(const STkSceneDesc& d, float value) {
  int index = saturatedInt(static_cast<double>(value));
  return std::clamp(index, 0, static_cast<int>(d.cameras.size()) - 1);
}

// The active camera's position; the camera itself follows unless the scene is attached.
TF_Vec3 cameraStep(const STkSceneDesc& d, STkSceneSlot& slot, float p) {
  if (d.cameras.empty()) return {0, 0, 0};
  const CameraDesc& c = d.cameras[cameraIndex(d, d.renderCamera ? TF_FP_Step(d.renderCamera, p) : 0)];
  if (!slot.attached) {
    float zoom = lerpOrZero(c.zoomFactor, p);
    SetCameraFOV(2.0f * std::atan(1.0f / (zoom * c.height / c.width)) * kRadiansToDegrees);
    int dof = (c.flags & 8) ? 1 : 0;
    if (enableChanged(dof, &slot.applied.cameraDof) || dof)
      SetCameraDOF(dof != 0, lerpOrZero(c.focalDistance, p), lerpOrZero(c.fStop, p));
    int advanced = settingInt(d, "CH_DOF_ADVANCED_ENABLE");
    if (enableChanged(advanced, &slot.applied.advancedDof) || advanced)
      SetCameraAdvancedDOF(advanced != 0, settingAt(d, "CH_DOF_MINFOCUSDIST", p), settingAt(d, "CH_DOF_MAXFOCUSDIST", p),
                           settingAt(d, "CH_DOF_FOCUSEDDIST", p), settingAt(d, "CH_DOF_RADIUSSCALE", p));
    if (c.flags & 1)
      SetCameraStereo(true, lerpOrZero(c.separation, p), c.usingConvergencePoint != 0, lerpOrZero(c.convergencePoint, p));
    else
      SetCameraStereo(false, 0, false, 0);
  }
  TF_Vec3 position = lerp3OrZero(c.position, p);
  if (!slot.attached) {
    PositionCamera(position.x, position.y, position.z);
    TF_Vec3 rotation = rotationDegrees(c.rotation, p);
    RotateCamera(rotation.x, rotation.y, rotation.z);
  }
  return position;
}

void lightStep(const STkSceneSlot& slot, int index, float p) {
  const LightDesc& l = slot.description->lights[index];
  int id = sceneItemId(slot.lightBase, index);
  if (!LightExist(id)) return;
  TF_Vec3 position = lerp3OrZero(l.position, p), rotation = rotationDegrees(l.rotation, p);
  PositionLight(id, position.x, position.y, position.z);
  RotateLight(id, rotation.x, rotation.y, rotation.z);
  TF_Vec3 c = lerp3OrZero(l.rawColor, p);
  float w = lerpOrZero(l.intensity, p);
  ColorLight(id, packRgb(w * c.x * 255, w * c.y * 255, w * c.z * 255));
  SetLightRawColor(id, c.x, c.y, c.z);
  SetLightIntensity(id, w);
  if (l.type == 2) {
    TF_Vec2 cone = lerp2OrZero(l.coneAngles, p);
    SetSpotLight(id, (cone.x - cone.y) * kRadiansToDegrees, cone.x * kRadiansToDegrees);
  }
  if (l.falloff) SetLightRange(id, lerpOrZero(l.range, p));
  if (l.isVolumetric()) {
    setLightVolumetricDensity(id, lerpOrZero(l.volumetricDensity, p));
    setLightVolumetricBase(id, lerpOrZero(l.volumetricBase, p));
  }
  if (l.type == 0 && l.shadowType == 2) {
    setLightDistantShadowSize(id, lerpOrZero(l.distantShadowWidth, p), lerpOrZero(l.distantShadowHeight, p));
    setLightDistantShadowPlacement(id, l.distantShadowPosition, lerpOrZero(l.distantShadowOffset, p));
  }
}

// The surfaces' values at p, without textures and effects (those come with
// loading). Values that do not change over time keep what loading gave them.
void surfacesStep(const STkSceneSlot& slot, int index, float p) {
  const STkSceneDesc& d = *slot.description;
  if (!surfacesChangeOverTime(d, d.objects[index])) return;
  // Kept from step to step: the blocks are large and scenes have many objects.
  static std::vector<SurfaceValues> values;
  const int count = evaluateObjectSurfaces(d, d.objects[index], p, false, &values);
  if (count > 0) applyObjectSurfaceValues(sceneItemId(slot.objectBase, static_cast<size_t>(index)), count, values.data(), false);
}

void objectStep(const STkSceneSlot& slot, int index, const Moment& m, TF_Vec3 camera) {
  const ObjectDesc& o = slot.description->objects[index];
  int id = sceneItemId(slot.objectBase, index);
  if (!ObjectExist(id)) return;
  TF_Vec3 position = lerp3OrZero(o.position, m.p), rotation = rotationDegrees(o.rotation, m.p);
  TF_Vec3 scale = lerp3OrZero(o.scale, m.p);
  if (slot.attached) position = {position.x - camera.x, position.y - camera.y, position.z - camera.z};
  if (o.hasPointCache && o.pointCache.applyCacheTo != 0) {
    position = rotation = {0, 0, 0};
    scale = {1, 1, 1};
  }
  PositionObject(id, position.x, position.y, position.z);
  RotateObject(id, rotation.x, rotation.y, rotation.z);
  ScaleObject(id, scale.x * 100, scale.y * 100, scale.z * 100);
  int frames = TotalObjectFrames(id);
  // A scene without a usable frame rate has no frame number: its meshes stay at frame 0.
  float frame = std::isnan(m.f) ? 0.0f : std::clamp(m.f, 0.0f, static_cast<float>(frames));
  if (frames >= 2) SetObjectFrame(id, frame);
  surfacesStep(slot, index, m.p);
}

bool cameraShaderWanted(const CameraShaderDesc& shader, float f) {
  return shader.useFrame == 0 || (f >= static_cast<float>(shader.startFrame) && f < static_cast<float>(shader.endFrame));
}

void cameraShaderStep(STkSceneSlot& slot, int index, const Moment& m) {
  const CameraShaderDesc& shader = slot.description->cameraShaders[index];
  int id = sceneItemId(slot.cameraShaderBase, index);
  // A shader that could not be made has been reported at load time.
  if (!CameraEffectExist(id)) return;
  bool& on = slot.cameraShaderOn[index];
  bool wanted = cameraShaderWanted(shader, m.f);
  if (wanted && !on) ShowCameraEffect(id);
  else if (!wanted && on) HideCameraEffect(id);
  on = wanted;
  if (!on || !shader.effect) return;
  EffectValues values;
  evaluateEffectRecord(shader.effect, m.p, &values);
  applyCameraEffectValues(id, values, false);
}

void cameraShadersStep(STkSceneSlot& slot, const Moment& m) {
  for (int i = 0; i < sceneCameraShaderCount(slot); ++i) cameraShaderStep(slot, i, m);
}

// The values of the scene's renderer shaders at p; shaders that could not be
// made have been reported at load time.
void rendererShadersStep(const STkSceneSlot& slot, float p) {
  if (slot.attached || !slot.description->hasRenderer) return;
  const std::vector<const TF_Node*>& shaders = slot.description->renderer.shaders;
  for (size_t i = 0; i < shaders.size(); ++i) {
    const int id = sceneItemId(slot.effectBase, i);
    if (!EffectExist(id)) continue;
    EffectValues values;
    evaluateEffectRecord(shaders[i], p, &values);
    applyEffectValues(id, values, false);
  }
}

void fullStep(STkSceneSlot& slot, int t) {
  const STkSceneDesc& d = *slot.description;
  Moment m = momentOf(d, t);
  tkEngine().manager->getSceneManager()->setCurrentTime(static_cast<irr::u32>(std::max(t, 0)));
  rendererShadersStep(slot, m.p);
  if (!slot.attached) renderSettingsStep(d, slot, m.p);
  TF_Vec3 camera = cameraStep(d, slot, m.p);
  ColorAmbientLight(packColour(lerp3OrZero(d.ambient, m.p)));
  if (!slot.attached)
    for (size_t i = 0; i < d.lights.size(); ++i) lightStep(slot, static_cast<int>(i), m.p);
  for (size_t i = 0; i < d.objects.size(); ++i) objectStep(slot, static_cast<int>(i), m, camera);
  cameraShadersStep(slot, m);
  slot.lastTime = t;
}

}  // namespace

float scenePosition(const STkSceneDesc& d, int t) {
  // A scene that gives no frame step has one sample per frame.
  return TF_SamplePosition(t, d.framesPerSecond, static_cast<float>(d.frameStep));
}

float sceneFrame(const STkSceneDesc& d, int t) {
  return TF_SceneFrame(t, d.framesPerSecond, static_cast<float>(d.frameStart));
}

void AnimateScene(int sceneId, int t) {
  if (STkSceneSlot* slot = sceneSlotOrReport(sceneId)) fullStep(*slot, t);
}

void AnimateSceneObject(int sceneId, int t, int objectId) {
  STkSceneSlot* slot = sceneSlotOrReport(sceneId);
  if (!slot) return;
  const STkSceneDesc& d = *slot->description;
  // Both IDs may be anywhere in the int range: their distance needs 64 bits.
  int64_t index = static_cast<int64_t>(objectId) - slot->objectBase;
  if (index < 0 || index >= static_cast<int64_t>(d.objects.size())) {
    logErrorCode(kErrorArgument3, "Invalid Object ID %d", objectId);
    return;
  }
  Moment m = momentOf(d, t);
  TF_Vec3 camera{0, 0, 0};
  if (!d.cameras.empty()) {
    int c = cameraIndex(d, d.renderCamera ? TF_FP_Lerp(d.renderCamera, m.p) : 0);
    camera = lerp3OrZero(d.cameras[c].position, m.p);
  }
  objectStep(*slot, static_cast<int>(index), m, camera);
}

void AnimateSceneProcessing(int sceneId, int t) {
  if (STkSceneSlot* slot = sceneSlotOrReport(sceneId)) renderSettingsStep(*slot->description, *slot, momentOf(*slot->description, t).p);
}

void AnimateSceneCameraShaders(int sceneId, int t) {
  if (STkSceneSlot* slot = sceneSlotOrReport(sceneId)) cameraShadersStep(*slot, momentOf(*slot->description, t));
}

void PrepareSceneRender(int sceneId) {
  STkSceneSlot* slot = sceneSlotOrReport(sceneId);
  if (!slot) return;
  ShowScene(sceneId);
  fullStep(*slot, 0);
  renderFrame();
  // Cube maps are pre-rendered here once they exist.
  HideScene(sceneId);
  AppliedRenderSettings& a = slot->applied;
  a.glow = a.streak = a.cameraDof = a.advancedDof = a.bloom = a.ssao = a.shadow = -1;
}

void UpdateSceneCubeMaps(int sceneId, int t) {
  // Dynamic cube maps are re-rendered here once they exist.
  (void)t;
  sceneSlot(sceneId);
}

}  // namespace tk
