#pragma once
// The runnable effect: built once from a definition by the effect builder, it
// writes any of its passes into a material, keeps its own parameter values and
// textures, and feeds the shader constants whenever the display library draws
// with one of its materials. It answers every definition query; the value
// readers read its current values instead of the default texts.

#include <irrlicht.h>

#include <cstdint>
#include <string>
#include <vector>

#include "effects/binds/effect_bind.h"
#include "effects/definitions/effect_def.h"
#include "effects/runtime/effect_material.h"

namespace tk {

// 64 bytes of value: up to 16 floats, a bool in the first byte, an int in the
// first four; a texture parameter keeps its sampler record.
struct STkFxParameter {
  union {
    float floats[16];
    int32_t ints[16];
    uint8_t bytes[64];
  } value;
  STkTextureLayer sampler;
  int type = 0;
  STkFxParameter() { for (float& f : value.floats) f = 0; }
};
static_assert(sizeof(STkFxParameter::value) == 64, "a parameter keeps 64 bytes of value");

struct STkFxTextureBind {
  int stage = 0;
  int type = 0;
  std::string name;
  int parameter = -1;
  int sampler = -1;
};

struct STkFxShader {
  int stage = 0;
  std::vector<STkFxConstBind> constants;
  std::vector<STkFxTextureBind> textures;
};

enum : int {
  kPassHasDepthFunc = 0x2,
  kPassHasDepthMask = 0x4,
  kPassHasDepthTestEnable = 0x8,
  kPassHasPointSizeEnable = 0x10,
};

struct STkFxPass {
  STkMaterial material;
  std::vector<STkFxShader> shaders;
  std::vector<ITkEffectBind*> binds;  // distinct, in order of first use (not counted here)
  int stateFlags = 0;
};

struct STkFxTechnique {
  std::vector<STkFxPass> passes;
};

class CTkEffectManager;
class CTkGPUProgrammingServices;

class CTkEffect : public ITkEffectDef {
 public:
  // Takes a reference to the definition.
  explicit CTkEffect(ITkEffectDef* definition);
  ~CTkEffect() override;
  CTkEffect(const CTkEffect&) = delete;
  CTkEffect& operator=(const CTkEffect&) = delete;

  // Definition queries, forwarded.
  STkEffectDesc getDesc() const override { return definition_->getDesc(); }
  const STechnique* getTechnique(int index) const override { return definition_->getTechnique(index); }
  const STechnique* getTechniqueByName(const char* name) const override {
    return definition_->getTechniqueByName(name);
  }
  const SPass* getPass(int technique, int pass) const override { return definition_->getPass(technique, pass); }
  const SShader* getShader(int technique, int pass, int shader) const override {
    return definition_->getShader(technique, pass, shader);
  }
  const SState* getState(int technique, int pass, int state) const override {
    return definition_->getState(technique, pass, state);
  }
  const SParameter* getTechniqueAnnotation(int technique, int index) const override {
    return definition_->getTechniqueAnnotation(technique, index);
  }
  const SParameter* getPassAnnotation(int technique, int pass, int index) const override {
    return definition_->getPassAnnotation(technique, pass, index);
  }
  const SParameter* getParameter(int index) const override { return definition_->getParameter(index); }
  const SParameter* getParameterByName(const char* name) const override {
    return definition_->getParameterByName(name);
  }
  int getParameterIndex(const char* name) const override { return definition_->getParameterIndex(name); }
  const SParameter* getCompileFlag(int index) const override { return definition_->getCompileFlag(index); }
  const std::string& getSourcePath() const override { return definition_->getSourcePath(); }

  // The current values.
  bool getFloat(int parameter, float* value) const override;
  bool getFloatArray(int parameter, float* values, int count) const override;
  bool getBool(int parameter, bool* value) const override;
  bool getInt(int parameter, int* value) const override;
  bool getIntArray(int parameter, int* values, int count) const override;
  bool getMatrix(int parameter, float* values16) const override;

  // Setters: false for an unknown parameter, and for a count beyond the 16
  // values a parameter holds (nothing is written then).
  bool setFloat(const char* name, float value);
  bool setFloat(int parameter, float value);
  bool setFloatArray(const char* name, const float* values, int count);
  bool setFloatArray(int parameter, const float* values, int count);
  bool setBool(const char* name, bool value);
  bool setBool(int parameter, bool value);
  bool setInt(const char* name, int value);
  bool setInt(int parameter, int value);
  bool setIntArray(const char* name, const int* values, int count);
  bool setIntArray(int parameter, const int* values, int count);
  bool setMatrix(const char* name, const float* values16);
  bool setMatrix(int parameter, const float* values16);
  bool setSamplerTexture(const char* name, irr::video::ITexture* texture, bool sRGBDefault = false);
  bool setSamplerTexture(int parameter, irr::video::ITexture* texture, bool sRGBDefault = false);
  bool setTextureParameter(int parameter, irr::video::ITexture* texture, bool sRGBDefault);
  // The same for a texture the engine owns (cube, volume, float).
  bool setEngineTextureParameter(int parameter, CTkEngineTexture* texture, bool sRGBDefault);

  // Copies the pass's material members into `material`; with `screenDraw` a
  // pass without depth states draws without depth test or depth writes.
  bool applyPass(int technique, int pass, STkMaterial* material, bool screenDraw) const;
  // Writes the parameter's texture into a caller's 8 pixel + 4 vertex layers.
  bool setSamplerTextureOnMaterial(int technique, int pass, int parameter, STkTextureLayer* layers,
                                   irr::video::ITexture* texture, bool sRGBDefault) const;
  // The same for a texture the engine owns.
  bool setEngineSamplerTextureOnMaterial(int technique, int pass, int parameter, STkTextureLayer* layers,
                                         CTkEngineTexture* texture, bool sRGBDefault) const;
  // Feeds the constants of the context's pass.
  void onSetShaderConstants(irr::video::IMaterialRendererServices* services, int userData,
                            const irr::video::SMaterial& material, const STkMaterialContext& context);
  // A new effect with copies of the values, passes and render-path map,
  // sharing the definition and binds.
  CTkEffect* clone() const;
  int getPassStateFlags(int technique, int pass) const;
  // After the shader services replaced the programs of some material types:
  // the passes drawn with them find their constants again in the new tables
  // (a constant the new program no longer has is no longer fed).
  void refreshConstants(const CTkGPUProgrammingServices& services, const std::vector<int>& materialTypes);
  int getTechniqueForPath(int number) const;

  // Read access for drawing code and tests.
  int parameterCount() const { return static_cast<int>(parameters_.size()); }
  const STkFxParameter* parameter(int index) const;
  int techniqueCount() const { return static_cast<int>(techniques_.size()); }
  int passCount(int technique) const;
  const STkFxPass* pass(int technique, int pass) const;
  const std::vector<ITkEffectBind*>& binds() const { return binds_; }
  const std::vector<int>& renderPathMap() const { return renderPathMap_; }
  ITkEffectDef* definition() const { return definition_; }
  std::string name() const;

 private:
  friend class CTkEffectBuilder;
  friend class CTkEffectManager;

  STkFxParameter* mutableParameter(int index);
  bool sRGBFor(int parameter, bool sRGBDefault) const;
  bool placeOnLayers(int technique, int pass, int parameter, STkTextureLayer* layers, irr::video::ITexture* texture,
                     CTkEngineTexture* engineTexture, bool sRGBDefault) const;
  void updateLayersOf(int parameter);
  void takeBindReferences();

  ITkEffectDef* definition_;
  CTkEffectManager* owner_ = nullptr;  // told when the effect goes
  std::vector<STkFxParameter> parameters_;
  std::vector<STkFxTechnique> techniques_;
  std::vector<ITkEffectBind*> binds_;  // one counted reference each
  std::vector<int> renderPathMap_;
};

}  // namespace tk
