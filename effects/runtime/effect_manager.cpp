#include "effects/runtime/effect_manager.h"

#include <algorithm>

#include "base/log.h"
#include "effects/binds/bind_environment.h"
#include "effects/binds/default_bind.h"
#include "effects/binds/semantic_map_bind.h"
#include "effects/runtime/effect_builder.h"
#include "effects/runtime/effect_tech_lookup.h"
#include "effects/runtime/texture_resolver.h"

namespace tk {

void CTkEffectCallback::OnSetConstants(irr::video::IMaterialRendererServices* services, irr::s32 userData) {
  STkMaterialContext* context = contexts_->find(material_.MaterialTypeParam2);
  if (!context || !context->effect) return;
  context->effect->onSetShaderConstants(services, userData, material_, *context);
}

CTkEffectManager::CTkEffectManager(irr::IrrlichtDevice* device, CTkGPUProgrammingServices* services,
                                   CTkEffectTechLookup* techLookup, CTkMaterialContexts* contexts,
                                   const STkBindEnvironment* environment)
    : device_(device), services_(services), techLookup_(techLookup), contexts_(contexts) {
  if (environment)
    binds_ = createEngineBinds(*environment);
  else
    binds_.push_back(new CTkEffectBind());
  resolvers_.push_back(new CTkEffectTextureResolver(device_->getVideoDriver()));
  addEngineEffectDefLoaders(definitions_);
  callback_ = new CTkEffectCallback(contexts_);
  if (techLookup_) techLookup_->grab();
}

CTkEffectManager::~CTkEffectManager() {
  for (CTkEffect* effect : liveEffects_) effect->owner_ = nullptr;
  if (techLookup_) techLookup_->drop();
  callback_->drop();
  for (ITkEffectTextureResolver* resolver : resolvers_) resolver->drop();
  for (ITkEffectBind* bind : binds_) bind->drop();
}

ITkEffectDef* CTkEffectManager::getEffectDef(const char* path, const ShaderMacroList& macros) {
  return definitions_.getEffectDef(path, macros, &lastError_);
}

CTkEffect* CTkEffectManager::createEffect(const char* path, int baseMaterial, const ShaderMacroList& macros,
                                          irr::video::IShaderConstantSetCallBack* callback) {
  ITkEffectDef* definition = getEffectDef(path, macros);
  if (!definition) return nullptr;
  auto* effect = new CTkEffect(definition);
  STkEffectBuildInputs inputs;
  inputs.services = services_;
  inputs.binds = &binds_;
  inputs.resolvers = &resolvers_;
  inputs.shaderDirectories = &shaderDirectories_;
  inputs.textureDirectories = &textureDirectories_;
  inputs.defaultBaseMaterial = baseMaterial;
  inputs.macros = macros;
  inputs.callback = callback ? callback : callback_;
  CTkEffectBuilder builder(inputs, effect);
  if (!builder.build()) {
    log(LOG_ERROR, "CTkEffectManager: ERROR CTkEffect : %s", builder.error().c_str());
    lastError_ = builder.error();
    effect->drop();
    return nullptr;
  }
  for (const STkFxTechnique& technique : effect->techniques_)
    for (const STkFxPass& pass : technique.passes)
      for (ITkEffectBind* bind : pass.binds)
        if (std::find(effect->binds_.begin(), effect->binds_.end(), bind) == effect->binds_.end()) {
          bind->grab();
          effect->binds_.push_back(bind);
        }
  buildRenderPathMap(effect);
  rememberEffect(effect);
  return effect;
}

void CTkEffectManager::rememberEffect(CTkEffect* effect) {
  effect->owner_ = this;
  liveEffects_.insert(effect);
}

void CTkEffectManager::refreshConstants(const std::vector<int>& materialTypes) {
  for (CTkEffect* effect : liveEffects_) effect->refreshConstants(*services_, materialTypes);
}

void CTkEffectManager::buildRenderPathMap(CTkEffect* effect) {
  std::vector<int>& map = effect->renderPathMap_;
  map.assign(2, -1);
  if (!techLookup_) return;
  for (int j = 0; j < effect->techniqueCount(); ++j) {
    const STechnique* technique = effect->getTechnique(j);
    const int number = technique ? techLookup_->registerTechnique(technique->name.c_str()) : -1;
    if (number < 0) continue;
    if (number >= static_cast<int>(map.size())) map.resize(number + 1, -1);
    map[number] = j;
  }
}

int CTkEffectManager::findTechnique(const char* name) const {
  return techLookup_ ? techLookup_->findTechnique(name) : -1;
}

void CTkEffectManager::addEffectBind(ITkEffectBind* bind) {
  if (!bind) return;
  bind->grab();
  binds_.insert(binds_.begin(), bind);
}

void CTkEffectManager::addTextureResolver(ITkEffectTextureResolver* resolver) {
  if (!resolver) return;
  resolver->grab();
  resolvers_.insert(resolvers_.begin(), resolver);
}

CTkEffectBindSemanticMap* CTkEffectManager::createBindSemanticMap() {
  auto* map = new CTkEffectBindSemanticMap();
  addEffectBind(map);
  map->drop();
  return map;
}

}  // namespace tk
