#include "api/camera_effect_commands.h"

#include <algorithm>

#include "api/effect_commands.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/runtime/effect.h"
#include "render/engine.h"

namespace tk {
namespace {

constexpr size_t kEnabledListRoom = 100;

IdTable<CTkCameraShaderItem>* cameraEffects() { return tkEngine().cameraShaders; }

// Lives for the whole process and only ever holds IDs of enabled camera effects.
std::vector<int>& enabledList() {
  static std::vector<int> list;
  return list;
}

CTkCameraShaderItem* cameraEffectOrReport(int id) {
  CTkCameraShaderItem* item = cameraEffects() ? cameraEffects()->find(id) : nullptr;
  if (!item) logErrorCode(kErrorArgument1, "Camera Effect ID %d does not exist. %s", id, idErrorText());
  return item;
}

// Stores an empty entry under a new ID; null after reporting the table's complaint.
CTkCameraShaderItem* reserveCameraEffect(int id) {
  auto* item = new CTkCameraShaderItem();
  if (!cameraEffects() || cameraEffects()->add(id, item) != 0) {
    logErrorCode(kErrorArgument2, "invalid Camera Effect ID %d : %s", id, idErrorText());
    delete item;
    return nullptr;
  }
  return item;
}

void releaseCameraEffect(int id) {
  CTkCameraShaderItem* item = cameraEffects()->get(id);
  cameraEffects()->remove(id);
  if (item->effect) item->effect->drop();
  delete item;
}

void removeEnabled(int id) {
  std::vector<int>& list = enabledList();
  auto found = std::find(list.begin(), list.end(), id);
  if (found == list.end()) {
    logError("remove enabled FAILED to find ID=%d in enabled list", id);
    return;
  }
  list.erase(found);  // the later IDs move up, keeping their order
}

}  // namespace

int MakeCameraEffect(int id, int effectId) {
  CTkEffect* effect = effectOrReport(effectId, kErrorArgument2);
  if (!effect) return -1;
  CTkCameraShaderItem* item = reserveCameraEffect(id);
  if (!item) return -1;
  effect->grab();
  item->effect = effect;
  return 0;
}

int makeCameraEffectFromFile(int id, const char* file, const char* compileFlags) {
  CTkCameraShaderItem* item = reserveCameraEffect(id);
  if (!item) return -1;
  ShaderMacroList macros;
  appendCompileFlags(compileFlags ? compileFlags : "", kCompileMacroCapacity, &macros);
  std::string path = resolveFile(file);
  item->effect = createEngineEffect(path.c_str(), -1, macros);
  if (!item->effect) {
    logErrorCodeShown(kErrorArgument2, "Camera Effect ID %d : Failed to compile effect %s", id, file);
    releaseCameraEffect(id);
    return -1;
  }
  return 0;
}

int MakeCameraEffectFromFile(int id, const char* file) { return makeCameraEffectFromFile(id, file, ""); }

bool CameraEffectExist(int id) { return cameraEffects() && cameraEffects()->get(id) != nullptr; }

void DeleteCameraEffect(int id) {
  CTkCameraShaderItem* item = cameraEffects() ? cameraEffects()->get(id) : nullptr;
  if (!item) return;
  if (item->enabled) removeEnabled(id);
  releaseCameraEffect(id);
}

void ShowCameraEffect(int id) {
  CTkCameraShaderItem* item = cameraEffectOrReport(id);
  if (!item || item->enabled) return;
  std::vector<int>& list = enabledList();
  if (list.capacity() < kEnabledListRoom) list.reserve(kEnabledListRoom);
  item->enabled = true;
  list.push_back(id);
}

void HideCameraEffect(int id) {
  CTkCameraShaderItem* item = cameraEffectOrReport(id);
  if (!item || !item->enabled) return;
  item->enabled = false;
  removeEnabled(id);
}

void SetCameraEffectPriority(int id, int priority) {
  if (CTkCameraShaderItem* item = cameraEffectOrReport(id)) item->priority = priority;
}

int applyCameraEffectValues(int id, const EffectValues& values, bool withTextures) {
  CTkCameraShaderItem* item = cameraEffectOrReport(id);
  if (!item) return -1;
  const char* file = values.file.c_str();
  int result = 0;
  if (withTextures && !applyEffectValueTextures(item->effect, values)) {
    logErrorCode(kErrorArgument2, "Camera Effect ID %d: failed to set textures of shader '%s'", id, file);
    result = -1;
  }
  if (!applyEffectValueParameters(item->effect, values)) {
    logErrorCode(kErrorArgument2, "Camera Effect ID %d: failed to set parameters of shader '%s'", id, file);
    result = -1;
  }
  return result;
}

const std::vector<int>& enabledCameraEffects() { return enabledList(); }

std::vector<CTkEffect*> enabledCameraEffectList() {
  std::vector<CTkEffect*> list;
  for (int id : enabledList()) {
    CTkCameraShaderItem* item = cameraEffects() ? cameraEffects()->get(id) : nullptr;
    if (item && item->effect) list.push_back(item->effect);
  }
  return list;
}

void deleteAllCameraEffects() {
  if (!cameraEffects()) return;
  for (int id = 0; id < cameraEffects()->capacity(); ++id) DeleteCameraEffect(id);
  enabledList().clear();  // the next engine starts without switched-on effects
}

void deleteAllEffectItems() {
  deleteAllCameraEffects();
  deleteAllEffects();
}

}  // namespace tk
