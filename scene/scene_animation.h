#pragma once
// Bringing a loaded scene to a moment: its camera, render settings, ambient
// light, lights and objects follow their channels.

namespace tk {

void AnimateScene(int sceneId, int t);
void AnimateSceneObject(int sceneId, int t, int objectId);
void AnimateSceneProcessing(int sceneId, int t);
void AnimateSceneCameraShaders(int sceneId, int t);
void PrepareSceneRender(int sceneId);
// Re-renders the scene's dynamic cube maps at t (after the full step).
void UpdateSceneCubeMaps(int sceneId, int t);

// The sample position and scene frame of moment t (ms) in a scene.
struct STkSceneDesc;
float scenePosition(const STkSceneDesc& desc, int t);
float sceneFrame(const STkSceneDesc& desc, int t);

}  // namespace tk
