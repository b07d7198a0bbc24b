#include "effects/runtime/effect.h"

#include <algorithm>
#include <cstring>

#include "base/log.h"
#include "effects/device_state_codes.h"
#include "effects/runtime/effect_manager.h"
#include "effects/runtime/sampler_record.h"
#include "effects/shaders/gpu_programming_services.h"

namespace tk {

CTkEffect::CTkEffect(ITkEffectDef* definition) : definition_(definition) { definition_->grab(); }

CTkEffect::~CTkEffect() {
  if (owner_) owner_->forgetEffect(this);
  for (ITkEffectBind* bind : binds_) bind->drop();
  definition_->drop();
}

std::string CTkEffect::name() const {
  const std::string& path = getSourcePath();
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

const STkFxParameter* CTkEffect::parameter(int index) const {
  return index >= 0 && index < parameterCount() ? &parameters_[index] : nullptr;
}

STkFxParameter* CTkEffect::mutableParameter(int index) {
  return index >= 0 && index < parameterCount() ? &parameters_[index] : nullptr;
}

int CTkEffect::passCount(int technique) const {
  return technique >= 0 && technique < techniqueCount() ? static_cast<int>(techniques_[technique].passes.size()) : 0;
}

const STkFxPass* CTkEffect::pass(int technique, int pass) const {
  if (pass < 0 || pass >= passCount(technique)) return nullptr;
  return &techniques_[technique].passes[pass];
}

// ---- current values -------------------------------------------------------

bool CTkEffect::getFloat(int index, float* value) const {
  const STkFxParameter* p = parameter(index);
  if (!p) return false;
  *value = p->value.floats[0];
  return true;
}

bool CTkEffect::getFloatArray(int index, float* values, int count) const {
  const STkFxParameter* p = parameter(index);
  if (!p || count < 0 || count > 16) return false;
  std::memcpy(values, p->value.floats, sizeof(float) * count);
  return true;
}

bool CTkEffect::getBool(int index, bool* value) const {
  const STkFxParameter* p = parameter(index);
  if (!p) return false;
  *value = p->value.bytes[0] != 0;
  return true;
}

bool CTkEffect::getInt(int index, int* value) const {
  const STkFxParameter* p = parameter(index);
  if (!p) return false;
  *value = p->value.ints[0];
  return true;
}

bool CTkEffect::getIntArray(int index, int* values, int count) const {
  const STkFxParameter* p = parameter(index);
  if (!p || count < 0 || count > 16) return false;
  std::memcpy(values, p->value.ints, sizeof(int32_t) * count);
  return true;
}

bool CTkEffect::getMatrix(int index, float* values16) const { return getFloatArray(index, values16, 16); }

// ---- setters --------------------------------------------------------------

bool CTkEffect::setFloat(const char* name, float value) { return setFloat(getParameterIndex(name), value); }
bool CTkEffect::setFloat(int index, float value) {
  STkFxParameter* p = mutableParameter(index);
  if (!p) return false;
  p->value.floats[0] = value;
  return true;
}

bool CTkEffect::setFloatArray(const char* name, const float* values, int count) {
  return setFloatArray(getParameterIndex(name), values, count);
}
bool CTkEffect::setFloatArray(int index, const float* values, int count) {
  STkFxParameter* p = mutableParameter(index);
  if (!p || count < 0 || count > 16) return false;
  std::memcpy(p->value.floats, values, sizeof(float) * count);
  return true;
}

bool CTkEffect::setBool(const char* name, bool value) { return setBool(getParameterIndex(name), value); }
bool CTkEffect::setBool(int index, bool value) {
  STkFxParameter* p = mutableParameter(index);
  if (!p) return false;
  p->value.bytes[0] = value ? 1 : 0;
  return true;
}

bool CTkEffect::setInt(const char* name, int value) { return setInt(getParameterIndex(name), value); }
bool CTkEffect::setInt(int index, int value) {
  STkFxParameter* p = mutableParameter(index);
  if (!p) return false;
  p->value.ints[0] = value;
  return true;
}

bool CTkEffect::setIntArray(const char* name, const int* values, int count) {
  return setIntArray(getParameterIndex(name), values, count);
}
bool CTkEffect::setIntArray(int index, const int* values, int count) {
  STkFxParameter* p = mutableParameter(index);
  if (!p || count < 0 || count > 16) return false;
  std::memcpy(p->value.ints, values, sizeof(int32_t) * count);
  return true;
}

bool CTkEffect::setMatrix(const char* name, const float* values16) {
  return setMatrix(getParameterIndex(name), values16);
}
bool CTkEffect::setMatrix(int index, const float* values16) { return setFloatArray(index, values16, 16); }

bool CTkEffect::setSamplerTexture(const char* name, irr::video::ITexture* texture, bool sRGBDefault) {
  return setSamplerTexture(getParameterIndex(name), texture, sRGBDefault);
}
bool CTkEffect::setSamplerTexture(int index, irr::video::ITexture* texture, bool sRGBDefault) {
  return setTextureParameter(index, texture, sRGBDefault);
}

// ---- textures -------------------------------------------------------------

bool CTkEffect::sRGBFor(int index, bool sRGBDefault) const {
  const SParameter* description = getParameter(index);
  if (description && findNamed(description->annotations, "SRGB")) return annotationSaysSRGB(*description);
  return sRGBDefault;
}

void CTkEffect::updateLayersOf(int index) {
  const STkTextureLayer& record = parameters_[index].sampler;
  for (STkFxTechnique& technique : techniques_)
    for (STkFxPass& pass : technique.passes)
      for (const STkFxShader& shader : pass.shaders)
        for (const STkFxTextureBind& bind : shader.textures) {
          if (bind.parameter != index) continue;
          STkTextureLayer* layer = nullptr;
          if (bind.stage == kStagePixel && bind.sampler >= 0 && bind.sampler < kPixelLayerCount)
            layer = &pass.material.pixelLayers[bind.sampler];
          else if (bind.stage == kStageVertex && bind.sampler >= 0 && bind.sampler < kVertexLayerCount)
            layer = &pass.material.vertexLayers[bind.sampler];
          if (!layer) continue;
          layer->texture = record.texture;
          layer->engineTexture = record.engineTexture;
          layer->sRGB = record.sRGB;
        }
}

bool CTkEffect::setTextureParameter(int index, irr::video::ITexture* texture, bool sRGBDefault) {
  STkFxParameter* p = mutableParameter(index);
  if (!p) return false;
  p->sampler.texture = texture;
  p->sampler.engineTexture = nullptr;
  p->sampler.sRGB = sRGBFor(index, sRGBDefault);
  updateLayersOf(index);
  return true;
}

bool CTkEffect::setEngineTextureParameter(int index, CTkEngineTexture* texture, bool sRGBDefault) {
  STkFxParameter* p = mutableParameter(index);
  if (!p) return false;
  p->sampler.texture = nullptr;
  p->sampler.engineTexture = texture;
  p->sampler.sRGB = sRGBFor(index, sRGBDefault);
  updateLayersOf(index);
  return true;
}

bool CTkEffect::setSamplerTextureOnMaterial(int technique, int passIndex, int index, STkTextureLayer* layers,
                                            irr::video::ITexture* texture, bool sRGBDefault) const {
  return placeOnLayers(technique, passIndex, index, layers, texture, nullptr, sRGBDefault);
}

bool CTkEffect::setEngineSamplerTextureOnMaterial(int technique, int passIndex, int index, STkTextureLayer* layers,
                                                  CTkEngineTexture* texture, bool sRGBDefault) const {
  return placeOnLayers(technique, passIndex, index, layers, nullptr, texture, sRGBDefault);
}

bool CTkEffect::placeOnLayers(int technique, int passIndex, int index, STkTextureLayer* layers,
                              irr::video::ITexture* texture, CTkEngineTexture* engineTexture,
                              bool sRGBDefault) const {
  const STkFxPass* p = pass(technique, passIndex);
  if (!p || !parameter(index) || !layers) return false;
  const bool sRGB = sRGBFor(index, sRGBDefault);
  for (const STkFxShader& shader : p->shaders)
    for (const STkFxTextureBind& bind : shader.textures) {
      if (bind.parameter != index) continue;
      int slot = -1;
      if (bind.stage == kStagePixel && bind.sampler >= 0 && bind.sampler < kPixelLayerCount) slot = bind.sampler;
      if (bind.stage == kStageVertex && bind.sampler >= 0 && bind.sampler < kVertexLayerCount)
        slot = kPixelLayerCount + bind.sampler;
      if (slot < 0) continue;
      layers[slot].texture = texture;
      layers[slot].engineTexture = engineTexture;
      layers[slot].sRGB = sRGB;
    }
  return true;
}

// ---- drawing --------------------------------------------------------------

bool CTkEffect::applyPass(int technique, int passIndex, STkMaterial* material, bool screenDraw) const {
  const STkFxPass* p = pass(technique, passIndex);
  if (!p || !material) return false;
  const irr::video::SMaterial& from = p->material.base;
  irr::video::SMaterial& to = material->base;
  to.MaterialType = from.MaterialType;
  to.MaterialTypeParam = from.MaterialTypeParam;
  to.MaterialTypeParam2 = from.MaterialTypeParam2;
  for (int i = 0; i < kPixelLayerCount; ++i) material->pixelLayers[i] = p->material.pixelLayers[i];
  for (int i = 0; i < kVertexLayerCount; ++i) material->vertexLayers[i] = p->material.vertexLayers[i];
  to.ZWriteEnable = from.ZWriteEnable;
  to.ZBuffer = from.ZBuffer;
  to.PointCloud = from.PointCloud;
  if (screenDraw && !(p->stateFlags & (kPassHasDepthFunc | kPassHasDepthMask | kPassHasDepthTestEnable))) {
    to.ZWriteEnable = false;
    to.ZBuffer = kCompareAlways;
  }
  return true;
}

void CTkEffect::onSetShaderConstants(irr::video::IMaterialRendererServices* services, int,
                                     const irr::video::SMaterial&, const STkMaterialContext& context) {
  const STkFxPass* p = pass(context.technique, context.pass);
  if (!p) return;
  for (ITkEffectBind* bind : p->binds) {
    if (!bind->onSetMaterial(&context)) {
      log(LOG_ERROR, "CTkEffect::onSetShaderConstants : onSetMaterial() failed, abort");
      return;
    }
  }
  for (const STkFxShader& shader : p->shaders)
    for (const STkFxConstBind& constant : shader.constants)
      constant.function(constant.bind, services, constant, constant.privateData);
}

int CTkEffect::getPassStateFlags(int technique, int passIndex) const {
  const STkFxPass* p = pass(technique, passIndex);
  return p ? p->stateFlags : 0;
}

int CTkEffect::getTechniqueForPath(int number) const {
  return number >= 0 && number < static_cast<int>(renderPathMap_.size()) ? renderPathMap_[number] : -1;
}

// Descriptors point at their effect's stored values: a copy points at its own.
CTkEffect* CTkEffect::clone() const {
  auto* copy = new CTkEffect(definition_);
  copy->parameters_ = parameters_;
  copy->techniques_ = techniques_;
  for (STkFxTechnique& technique : copy->techniques_)
    for (STkFxPass& pass : technique.passes)
      for (STkFxShader& shader : pass.shaders)
        for (STkFxConstBind& constant : shader.constants)
          constant.value = copy->parameters_[constant.parameter].value.floats;
  copy->binds_ = binds_;
  copy->takeBindReferences();
  // A copy draws in the same render paths as its original: with an empty map
  // it would have no technique for any of them.
  copy->renderPathMap_ = renderPathMap_;
  if (owner_) owner_->rememberEffect(copy);
  return copy;
}

void CTkEffect::refreshConstants(const CTkGPUProgrammingServices& services, const std::vector<int>& materialTypes) {
  for (STkFxTechnique& technique : techniques_)
    for (STkFxPass& pass : technique.passes) {
      const int type = pass.material.base.MaterialType;
      if (std::find(materialTypes.begin(), materialTypes.end(), type) == materialTypes.end()) continue;
      for (STkFxShader& shader : pass.shaders) {
        const SShaderCompiledEntry* compiled =
            shader.stage == kStageVertex ? services.vertexShaderOf(type) : services.pixelShaderOf(type);
        std::vector<STkFxConstBind>& constants = shader.constants;
        constants.erase(std::remove_if(constants.begin(), constants.end(),
                                       [&](STkFxConstBind& constant) {
                                         const STkShaderConstant* reflected =
                                             compiled ? compiled->code.table.findConstant(constant.name) : nullptr;
                                         if (reflected) placeConstant(&constant, *reflected);
                                         return reflected == nullptr;
                                       }),
                        constants.end());
      }
    }
}

void CTkEffect::takeBindReferences() {
  for (ITkEffectBind* bind : binds_) bind->grab();
}

}  // namespace tk
