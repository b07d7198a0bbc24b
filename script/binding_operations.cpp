#include "script/binding_operations.h"

#include "api/camera_commands.h"
#include "api/camera_effect_commands.h"
#include "api/draw_commands.h"
#include "api/effect_commands.h"
#include "api/file_commands.h"
#include "api/image_commands.h"
#include "api/morph_commands.h"
#include "api/object_commands.h"
#include "api/surface_commands.h"
#include "base/log.h"
#include "music/music.h"
#include "scene/scene_slots.h"
#include "script/argument_numbers.h"
#include "script/command_dispatch.h"
#include "script/load_scene_callback.h"
#include "startup/engine_commands.h"

namespace tk::binding {
namespace {

// Starting, stopping or replacing the engine or a scene from the progress
// function would pull the loading scene away under the loader.
bool refusedWhileLoading(const char* command) {
  if (!sceneLoadInProgress()) return false;
  rejectCall("'%s' cannot be called while a scene loads", command);
  return true;
}

// The surface parameter named by argument 3, or -1 after refusing the name.
int surfaceParameter(const char* name) {
  int index = surfaceParameterIndex(name);
  if (index < 0) rejectArgument(3, "the parameter does not exist");
  return index;
}

}  // namespace

void Setup(Opt<int> width, Opt<int> height, Opt<int> colorBits, Opt<bool> windowed) {
  if (refusedWhileLoading("Setup")) return;
  tk::Setup(width.valueOr(-1), height.valueOr(-1), colorBits.valueOr(-1),
            windowed.given ? (windowed.value ? 1 : 0) : -1);
}

void Term() {
  if (!refusedWhileLoading("Term")) tk::Term();
}

std::optional<std::string> FileRequester(Opt<const char*> title) {
  std::string chosen = tk::FileRequester(title.valueOr(nullptr));
  if (chosen.empty()) return std::nullopt;
  return chosen;
}

void MessageBox(JoinedText text) { tk::MessageBox(text.text); }

std::string PathFilename(const char* name, Opt<bool> keepExtension) {
  return tk::PathFilename(name, keepExtension.valueOr(true));
}

void LoadMusic(const char* path, int id) {
  if (tk::MusicExist(id)) tk::DeleteMusic(id);
  tk::LoadMusic(path, id);
}

bool MusicExist(int id) { return tk::MusicExist(id) != 0; }

void Text(int x, int y, JoinedText text) { tk::Text(x, y, text.text, text.length); }
int TextWidth(JoinedText text) { return tk::TextWidth(text.text, text.length); }
int TextHeight(JoinedText text) { return tk::TextHeight(text.text, text.length); }

// An image ID is taken over by a new image rather than refused.
void LoadImage(const char* file, int id) {
  if (ImageExist(id)) DeleteImage(id);
  tk::LoadImage(file, id);
}

void MakeImage(int width, int height, int id) {
  if (ImageExist(id)) DeleteImage(id);
  tk::MakeImage(width, height, id);
}

void RenderToImage(int id, Opt<bool> clear) { tk::RenderToImage(id, clear.valueOr(true)); }
void PasteImage(int id, int x, int y, Opt<bool> alpha) { tk::PasteImage(id, x, y, alpha.valueOr(false)); }
void PasteImageStretch(int id, int x, int y, int width, int height, Opt<bool> alpha) {
  tk::PasteImageStretch(id, x, y, width, height, alpha.valueOr(false));
}

void LoadObject(const char* file, int id) {
  if (ObjectExist(id)) DeleteObject(id);
  tk::LoadObject(file, id);
}

void SetAlphaMappingOn(int id, float value) { tk::SetAlphaMappingOn(id, argumentInteger(value)); }

void SetObjectMorph(int id, const NumberList& morphs, const NumberList& weights) {
  if (morphs.count != weights.count) {
    rejectArgument(3, "the number of morphs(%d) is not equals to the number of weights(%d)", morphs.count,
                   weights.count);
    return;
  }
  int targets[kArrayArgumentCapacity];
  float amounts[kArrayArgumentCapacity];
  for (int i = 0; i < morphs.count; ++i) {
    targets[i] = argumentInteger(morphs.values[i]);
    amounts[i] = argumentFloat(weights.values[i]);
  }
  tk::SetObjectMorph(id, targets, amounts, morphs.count);
}

void SetObjectSurfaceParamTex(int id, int surface, const char* parameter, const char* textureFile) {
  int index = surfaceParameter(parameter);
  if (index >= 0) tk::SetObjectSurfaceParamTex(id, surface, index, textureFile);
}

void SetObjectSurfaceParamTexImg(int id, int surface, const char* parameter, int imageId) {
  int index = surfaceParameter(parameter);
  if (index >= 0) tk::SetObjectSurfaceParamTexImg(id, surface, index, imageId);
}

void SetObjectSurfaceParamInt(int id, int surface, const char* parameter, int value) {
  int index = surfaceParameter(parameter);
  if (index >= 0) tk::SetObjectSurfaceParamInt(id, surface, index, value);
}

void SetObjectSurfaceParamFloat(int id, int surface, const char* parameter, float value) {
  int index = surfaceParameter(parameter);
  if (index >= 0) tk::SetObjectSurfaceParamFloat(id, surface, index, value);
}

void SetObjectSurfaceParamFloat3(int id, int surface, const char* parameter, float x, float y, float z) {
  int index = surfaceParameter(parameter);
  if (index >= 0) tk::SetObjectSurfaceParamFloat3(id, surface, index, x, y, z);
}

void LoadEffect(const char* file, int id) {
  DeleteEffect(id);
  tk::LoadEffect(file, id);
}

void LoadEffectForObjectSurface(const char* file, int id, int objectId, int surface) {
  DeleteEffect(id);
  tk::LoadEffectForObjectSurface(file, id, objectId, surface);
}

void SetEffectConstantFloatN(int id, const char* name, const NumberArgs& numbers) {
  if (numbers.count > kNumberArgumentCapacity) {
    rejectArgument(-1, "too much floats parameters");
    return;
  }
  tk::SetEffectConstantFloatN(id, name, numbers.values, numbers.count);
}

void MakeCameraEffect(int id, int effectId) {
  DeleteCameraEffect(id);
  tk::MakeCameraEffect(id, effectId);
}

void MakeCameraEffectFromFile(int id, const char* file) {
  DeleteCameraEffect(id);
  tk::MakeCameraEffectFromFile(id, file);
}

void SetCameraDOF(int enable, float focalDistance, float fStop) {
  tk::SetCameraDOF(enable != 0, focalDistance, fStop);
}

void SetCameraAdvancedDOF(int enable, float minFocus, float maxFocus, float focused, float radiusScale) {
  tk::SetCameraAdvancedDOF(enable != 0, minFocus, maxFocus, focused, radiusScale);
}

void SetCameraStereo(int enable, float separation, int useConvergence, float convergence) {
  tk::SetCameraStereo(enable != 0, separation, useConvergence != 0, convergence);
}

void LoadScene(const char* path, int sceneId, int objectBase, int lightBase, int emitterBase, int cubeMapBase,
               int cameraShaderBase, int rendererId, int effectBase, bool shareMeshes, const char* name) {
  if (refusedWhileLoading("LoadScene")) return;
  SceneBases bases;
  bases.object = objectBase;
  bases.light = lightBase;
  bases.emitter = emitterBase;
  bases.cubeMap = cubeMapBase;
  bases.cameraShader = cameraShaderBase;
  bases.renderer = rendererId;
  bases.effect = effectBase;
  beginSceneLoad(callingState());
  int result = tk::LoadScene(path, sceneId, bases, shareMeshes, name);
  endSceneLoad();
  if (result < 0) {
    // The engine's message says why: "Failed to load scene '%s': <reason>".
    std::string message;
    if (!takeLastError(&message, nullptr)) message = std::string("Failed to load scene '") + path + "'";
    rejectCall("%s", message.c_str());
  }
}

void DeleteScene(int sceneId) {
  if (!refusedWhileLoading("DeleteScene")) tk::DeleteScene(sceneId);
}

void notImplemented() { rejectArgument(-1, "the function is not implemented"); }

}  // namespace tk::binding
