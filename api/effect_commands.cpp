#include "api/effect_commands.h"

#include "api/image_commands.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/runtime/effect.h"
#include "render/engine.h"
#include "render/tk_manager.h"

namespace tk {
namespace {

IdTable<CTkEffectItem>* effects() { return tkEngine().effects; }

void releaseEffect(int id) {
  CTkEffectItem* item = effects()->get(id);
  effects()->remove(id);
  if (item->effect) item->effect->drop();
  delete item;
}

std::string lastEffectError() {
  CTkManager* manager = tkEngine().manager;
  return manager ? manager->getEffectManager()->getLastError() : std::string();
}

// The effect and the index of its constant `name`; -1 after reporting.
int constantOrReport(int id, const char* name, CTkEffect** effect) {
  *effect = effectOrReport(id, kErrorArgument1);
  if (!*effect) return -1;
  int index = (*effect)->getParameterIndex(name);
  if (index < 0) logErrorCode(kErrorArgument2, "Unknown constant '%s'", name);
  return index;
}

void reportRefusedValue(bool accepted, const char* name) {
  if (!accepted) logErrorCode(kErrorArgument2, "failed to set value for constant '%s'", name);
}

bool isTextureType(int type) { return type >= kParamTexture1D && type <= kParamTextureDepth; }

}  // namespace

CTkEffect* getEffect(int id) {
  CTkEffectItem* item = effects() ? effects()->get(id) : nullptr;
  return item ? item->effect : nullptr;
}

CTkEffect* effectOrReport(int id, int code) {
  CTkEffectItem* item = effects() ? effects()->find(id) : nullptr;
  if (!item) logErrorCode(code, "Effect ID %d does not exist. %s", id, idErrorText());
  return item ? item->effect : nullptr;
}

int makeEffect(int id, const char* file, int baseMaterial, const ShaderMacroList& macros) {
  auto* item = new CTkEffectItem{id, nullptr};
  if (!effects() || effects()->add(id, item) != 0) {
    logErrorCode(kErrorArgument2, "invalid effect ID %d : %s", id, idErrorText());
    delete item;
    return -1;
  }
  item->effect = createEngineEffect(file, baseMaterial, macros);
  if (!item->effect) {
    logErrorCode(kErrorArgument1, "Failed to load effect '%s' : %s", file, lastEffectError().c_str());
    releaseEffect(id);
    return -1;
  }
  return 0;
}

int LoadEffect(const char* file, int id) { return makeEffect(id, file, -1, {}); }

bool EffectExist(int id) { return getEffect(id) != nullptr; }

void DeleteEffect(int id) {
  if (getEffect(id)) releaseEffect(id);
}

void SetEffectConstantBoolean(int id, const char* name, bool value) {
  CTkEffect* effect;
  int index = constantOrReport(id, name, &effect);
  if (index >= 0) reportRefusedValue(effect->setBool(index, value), name);
}

void SetEffectConstantInteger(int id, const char* name, int value) {
  CTkEffect* effect;
  int index = constantOrReport(id, name, &effect);
  if (index >= 0) reportRefusedValue(effect->setInt(index, value), name);
}

void SetEffectConstantFloat(int id, const char* name, float value) {
  CTkEffect* effect;
  int index = constantOrReport(id, name, &effect);
  if (index >= 0) reportRefusedValue(effect->setFloat(index, value), name);
}

void SetEffectConstantFloatN(int id, const char* name, const float* values, int count) {
  CTkEffect* effect;
  int index = constantOrReport(id, name, &effect);
  if (index >= 0) reportRefusedValue(effect->setFloatArray(index, values, count), name);
}

void SetEffectTexture(int id, const char* parameter, const char* file) {
  CTkEffect* effect = effectOrReport(id, kErrorArgument1);
  if (!effect) return;
  int index = effect->getParameterIndex(parameter);
  if (index < 0 || !isTextureType(effect->getParameter(index)->type)) {
    logErrorCode(kErrorArgument2, "Unknown texture '%s'", parameter);
    return;
  }
  irr::video::ITexture* texture = loadEffectTexture(file, effect->getParameter(index)->type);
  if (!texture) logErrorCode(kErrorArgument3, "failed to load texture '%s' ", file);
  if (!effect->setSamplerTexture(index, texture))
    logErrorCode(kErrorArgument2, "failed to set texture '%s'", parameter);
}

void SetEffectTextureImage(int id, const char* parameter, int imageId) {
  CTkEffect* effect = effectOrReport(id, kErrorArgument1);
  if (!effect) return;
  int index = effect->getParameterIndex(parameter);
  if (index < 0 || !isTextureType(effect->getParameter(index)->type)) {
    logErrorCode(kErrorArgument2, "Unknown texture '%s'", parameter);
    return;
  }
  irr::video::ITexture* texture = getImageTexture(imageId);
  if (!texture) logErrorCode(kErrorArgument3, "Image %d does not exist", imageId);
  if (!effect->setSamplerTexture(index, texture))
    logErrorCode(kErrorArgument2, "failed to set texture '%s'", parameter);
}

int makeEffectFromValues(int id, const EffectValues& values) {
  ShaderMacroList macros;
  appendCompileFlags(values.compileFlags, kCompileMacroCapacity, &macros);
  std::string file = resolveFile(values.file.c_str());
  if (makeEffect(id, file.c_str(), -1, macros) != 0) return -1;
  return applyEffectValues(id, values, true);
}

int applyEffectValues(int id, const EffectValues& values, bool withTextures) {
  CTkEffect* effect = effectOrReport(id, kErrorArgument1);
  if (!effect) return -1;
  const char* file = values.file.c_str();
  int result = 0;
  // A texture that fails does not keep the parameters from being set.
  if (withTextures && !applyEffectValueTextures(effect, values)) {
    logErrorCode(kErrorArgument2, "Effect ID %d: failed to set textures of shader '%s'", id, file);
    result = -1;
  }
  if (!applyEffectValueParameters(effect, values)) {
    logErrorCode(kErrorArgument2, "Effect ID %d: failed to set parameters of shader '%s'", id, file);
    result = -1;
  }
  return result;
}

void deleteAllEffects() {
  if (!effects()) return;
  for (int id = 0; id < effects()->capacity(); ++id) DeleteEffect(id);
}

}  // namespace tk
