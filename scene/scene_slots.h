#pragma once
// The 60 scene slots and the scene commands: loading a scene file into engine
// items under base IDs, showing, hiding, deleting and the scene queries.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "base/saturating.h"
#include "scene/scene_desc.h"

namespace tk {

constexpr int kSceneSlotCount = 60;
constexpr int kMaxCameraShaders = 20;

// The last values handed on for each render-settings group (-1: none yet).
struct AppliedRenderSettings {
  int glow = -1, streak = -1, cameraDof = -1, advancedDof = -1, bloom = -1, ssao = -1, shadow = -1;
  int antialias[6] = {-1, -1, -1, -1, -1, -1};
  float antialiasLimit = 0;
};

struct STkSceneSlot {
  bool inUse = false;
  int attached = 0;
  int objectBase = 0, lightBase = 0, emitterBase = 0, cubeMapBase = 0, cameraShaderBase = 0;
  int rendererId = 0, effectBase = 0;
  bool rendererMade = false;  // the renderer under rendererId is this scene's
  std::unique_ptr<STkSceneDesc> description;
  std::string name;
  bool cameraShaderOn[kMaxCameraShaders] = {};
  AppliedRenderSettings applied;
  int lastTime = 0;
  int frameStart = 0;
  int reloaded = 0;
};

struct SceneBases {
  int object = 0, light = 0, emitter = 0, cubeMap = 0, cameraShader = 0, renderer = 0, effect = 0;
};

// The ID of a scene's item `index` when its kind starts at `base`. Held to the
// int range: a base near the end of it gives IDs that the tables refuse
// instead of wrapping around to valid ones.
inline int sceneItemId(int base, size_t index) {
  return saturatedInt(static_cast<int64_t>(base) + static_cast<int64_t>(index));
}

// The camera shaders a scene makes: none for an attached scene, at most
// kMaxCameraShaders otherwise (the ones past that are reported and skipped).
int sceneCameraShaderCount(const STkSceneSlot& slot);
// Hides every camera shader of a scene and sets its state off, so that the
// next animation step switches on again those that should be on.
void hideSceneCameraShaders(int sceneId);

// The base IDs a slot was loaded with.
SceneBases sceneBasesOf(const STkSceneSlot& slot);

// The slot of a scene in use; null otherwise (no message).
STkSceneSlot* sceneSlot(int sceneId);
// The slot of a scene in use; null after "Invalid Scene ID %d" (code 2).
STkSceneSlot* sceneSlotOrReport(int sceneId);

// Progress: called with 0 before reading and with 100 * i / count before object i;
// a non-zero answer cancels the load.
using SceneLoadProgress = int (*)(int percent, void* user);
void setSceneLoadProgress(SceneLoadProgress progress, void* user);
// Reporting of items that could not be made (off by default).
void setLoadFailureReporting(bool on);

// Loads into a free slot: 0, -1 on failure, 1 when cancelled.
int loadScene(const char* path, int sceneId, const SceneBases& bases, bool shareMeshes, const char* name,
              bool attached);

// Script commands.
int LoadScene(const char* path, int sceneId, const SceneBases& bases, bool shareMeshes, const char* name);
bool SceneExist(int sceneId);
void DeleteScene(int sceneId);
void ShowScene(int sceneId);
void HideScene(int sceneId);
int SceneTotalObjects(int sceneId);
int SceneTotalLights(int sceneId);
int SceneTotalFxEmitters(int sceneId);
int SceneTotalCubeMaps(int sceneId);
int SceneTotalCameraShaders(int sceneId);
int SceneTotalEffects(int sceneId);
int SceneAnimTimeEnd(int sceneId);
int SceneFps(int sceneId);
int SceneFrameStart(int sceneId);

// A scene file's timing as numbers that are safe to compute with: whole frames
// per second (truncated; 0 for a rate that is not a number), and the last frame
// minus the first, which may not fit an int.
int sceneFrameRate(const STkSceneDesc& desc);
int64_t sceneFrameSpan(const STkSceneDesc& desc);

// Queries of the viewer and the demo loader.
std::string sceneMusicFile(int sceneId);  // empty when none
int sceneMusicOffset(int sceneId);        // milliseconds
bool sceneAnimated(int sceneId);
int sceneHasRenderer(int sceneId);  // 1, 0, or -1 for a bad ID

// Deletes every scene (engine shutdown).
void deleteAllScenes();

}  // namespace tk
