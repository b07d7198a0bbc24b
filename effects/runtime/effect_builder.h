#pragma once
// Makes a runnable effect from its definition, in four steps: parameter values,
// techniques (a shader material, constant descriptors, texture binds and depth
// states per pass), textures, and the material layers. The first step that
// fails ends the build with its message.

#include <irrlicht.h>

#include <string>
#include <vector>

#include "effects/runtime/effect.h"
#include "effects/shader_macro.h"

namespace tk {

class CTkGPUProgrammingServices;
class ITkEffectTextureResolver;

struct STkEffectBuildInputs {
  CTkGPUProgrammingServices* services = nullptr;
  const std::vector<ITkEffectBind*>* binds = nullptr;
  const std::vector<ITkEffectTextureResolver*>* resolvers = nullptr;
  const std::vector<std::string>* shaderDirectories = nullptr;
  const std::vector<std::string>* textureDirectories = nullptr;
  int defaultBaseMaterial = -1;
  ShaderMacroList macros;
  irr::video::IShaderConstantSetCallBack* callback = nullptr;
};

class CTkEffectBuilder {
 public:
  CTkEffectBuilder(const STkEffectBuildInputs& inputs, CTkEffect* effect);
  virtual ~CTkEffectBuilder() = default;

  bool build();
  const std::string& error() const { return error_; }

 private:
  bool initParameters();
  bool initTechniques();
  bool initPass(const SPass& definition, STkFxPass* pass);
  bool initPassMaterial(const SPass& definition, STkFxPass* pass, int* materialType);
  bool initBaseMaterial(const SPass& definition, int* baseMaterial, float* typeParameter);
  bool passMacros(const SPass& definition, ShaderMacroList* macros);
  bool initShaderBinds(const SShader& shader, int materialType, STkFxShader* fxShader);
  bool initConstantBind(int stage, int materialType, const SParameter& bind, int parameterIndex,
                        STkFxShader* fxShader);
  bool initTextureBind(int stage, int materialType, const SParameter& bind, int parameterIndex,
                       STkFxShader* fxShader);
  bool initTextureStates(const SPass& definition, STkFxPass* pass);
  void initDepthStates(const SPass& definition, STkFxPass* pass);
  bool loadTextures();
  bool isTextureBound(int parameter) const;
  bool loadParameterTexture(int parameter);
  bool setMaterialLayers();
  std::string resolveShaderPath(const std::string& path) const;
  bool fail(const std::string& text);

  STkEffectBuildInputs inputs_;
  CTkEffect* effect_;
  std::string directory_;  // the definition's folder
  std::string error_;
};

}  // namespace tk
