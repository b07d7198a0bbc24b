#pragma once
// The effect manager: reads effect definitions (through its loaders and
// definition cache) and makes runnable effects from them. It owns the binds
// every effect's constants are fed by, the texture resolvers, the default
// constant callback and the directories shaders and textures are searched in.

#include <irrlicht.h>

#include <set>
#include <string>
#include <vector>

#include "effects/binds/effect_bind.h"
#include "effects/definitions/effect_def_cache.h"
#include "effects/runtime/effect.h"
#include "effects/runtime/effect_material.h"
#include "effects/shader_macro.h"

namespace tk {

class CTkGPUProgrammingServices;
class CTkEffectTechLookup;
class CTkEffectBindSemanticMap;
struct STkBindEnvironment;

// Finds the texture a texture parameter names.
class ITkEffectTextureResolver : public virtual irr::IReferenceCounted {
 public:
  // A texture or null; `failed` when it was asked for and cannot be had.
  virtual irr::video::ITexture* resolveTexture(int type, const std::string& semantic,
                                               const std::string& imageReference,
                                               const std::string& effectDirectory,
                                               const std::vector<std::string>& textureDirectories,
                                               bool* failed) = 0;
};

// The display library's constant callback for effect materials: it remembers
// the material being set and feeds the constants of the effect its context names.
class CTkEffectCallback : public irr::video::IShaderConstantSetCallBack {
 public:
  explicit CTkEffectCallback(const CTkMaterialContexts* contexts) : contexts_(contexts) {}
  void OnSetMaterial(const irr::video::SMaterial& material) override { material_ = material; }
  void OnSetConstants(irr::video::IMaterialRendererServices* services, irr::s32 userData) override;

 private:
  const CTkMaterialContexts* contexts_;
  irr::video::SMaterial material_;
};

class CTkEffectManager {
 public:
  // Makes the engine's binds from `environment` (null: only the default bind),
  // the default texture resolver, the two definition loaders and the default
  // callback.
  CTkEffectManager(irr::IrrlichtDevice* device, CTkGPUProgrammingServices* services,
                   CTkEffectTechLookup* techLookup, CTkMaterialContexts* contexts,
                   const STkBindEnvironment* environment);
  ~CTkEffectManager();
  CTkEffectManager(const CTkEffectManager&) = delete;
  CTkEffectManager& operator=(const CTkEffectManager&) = delete;

  ITkEffectDef* getEffectDef(const char* path, const ShaderMacroList& macros);
  // A new effect (the caller owns its reference) or null with the last error
  // set. `baseMaterial` -1: none; `callback` null: the default callback.
  CTkEffect* createEffect(const char* path, int baseMaterial, const ShaderMacroList& macros,
                          irr::video::IShaderConstantSetCallBack* callback = nullptr);
  int findTechnique(const char* name) const;
  void addShaderDirectory(const std::string& path) { shaderDirectories_.push_back(path); }
  void addTextureDirectory(const std::string& path) { textureDirectories_.push_back(path); }
  // Takes a reference; the bind goes in front of the list.
  void addEffectBind(ITkEffectBind* bind);
  // Takes a reference; the resolver goes in front of the list.
  void addTextureResolver(ITkEffectTextureResolver* resolver);
  void addEffectDefLoader(ITkEffectDefLoader* loader) { definitions_.addEffectDefLoader(loader); }
  // A named-value bind added in front of the others; null when it cannot be made.
  CTkEffectBindSemanticMap* createBindSemanticMap();
  const std::string& getLastError() const { return lastError_; }
  // The shader hot reload replaced the programs of these material types.
  void refreshConstants(const std::vector<int>& materialTypes);
  // The effects made here that are still alive.
  void rememberEffect(CTkEffect* effect);
  void forgetEffect(CTkEffect* effect) { liveEffects_.erase(effect); }

  const std::vector<ITkEffectBind*>& binds() const { return binds_; }
  const std::vector<ITkEffectTextureResolver*>& resolvers() const { return resolvers_; }
  const std::vector<std::string>& shaderDirectories() const { return shaderDirectories_; }
  const std::vector<std::string>& textureDirectories() const { return textureDirectories_; }
  CTkMaterialContexts* materialContexts() const { return contexts_; }
  CTkEffectCallback* defaultCallback() const { return callback_; }

 private:
  void buildRenderPathMap(CTkEffect* effect);

  irr::IrrlichtDevice* device_;
  CTkGPUProgrammingServices* services_;
  CTkEffectTechLookup* techLookup_;
  CTkMaterialContexts* contexts_;
  CTkEffectDefCache definitions_;
  std::vector<ITkEffectBind*> binds_;
  std::vector<ITkEffectTextureResolver*> resolvers_;
  std::vector<std::string> shaderDirectories_;
  std::vector<std::string> textureDirectories_;
  CTkEffectCallback* callback_;
  std::set<CTkEffect*> liveEffects_;
  std::string lastError_;
};

}  // namespace tk
