#include "effects/runtime/effect_builder.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/device_state_codes.h"
#include "effects/runtime/effect_manager.h"
#include "effects/runtime/pass_macros.h"
#include "effects/runtime/pass_states.h"
#include "effects/runtime/sampler_record.h"
#include "effects/shaders/gpu_programming_services.h"

namespace tk {
namespace {

bool isTextureType(int type) { return type >= kParamTexture1D && type <= kParamTextureDepth; }
bool isValueType(int type) { return type >= kParamBool && type <= kParamInt; }

int floatCountOf(int type) {
  switch (type) {
    case kParamFloat2: return 2;
    case kParamFloat3: return 3;
    case kParamFloat4: return 4;
    case kParamFloat4x4: return 16;
    default: return 1;
  }
}

// Everything up to and including the first "file://" goes.
std::string withoutFileScheme(const std::string& source) {
  size_t at = source.find("file://");
  return at == std::string::npos ? source : source.substr(at + 7);
}

const SState* findState(const SPass& pass, const char* name) {
  for (const SState& state : pass.states)
    if (state.name == name) return &state;
  return nullptr;
}

// Pixel targets of the profiles: ps_1_1, ps_2_0, ps_3_0; -1 for any other profile.
int vertexTargetOf(int profile) { return profile == 1 ? 0 : profile == 2 ? 1 : profile == 3 ? 3 : -1; }
int pixelTargetOf(int profile) { return profile == 4 ? 0 : profile == 5 ? 4 : profile == 6 ? 7 : -1; }

}  // namespace

CTkEffectBuilder::CTkEffectBuilder(const STkEffectBuildInputs& inputs, CTkEffect* effect)
    : inputs_(inputs), effect_(effect) {
  const std::string& path = effect->definition()->getSourcePath();
  size_t slash = path.find_last_of('/');
  directory_ = slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool CTkEffectBuilder::fail(const std::string& text) {
  if (error_.empty()) error_ = text;
  return false;
}

bool CTkEffectBuilder::build() {
  struct Step {
    bool (CTkEffectBuilder::*run)();
    const char* unknown;
  };
  static const Step steps[] = {
      {&CTkEffectBuilder::initParameters, "Unknown error init parameters"},
      {&CTkEffectBuilder::initTechniques, "Unknown error init techniques"},
      {&CTkEffectBuilder::loadTextures, "Unknown error load textures"},
      {&CTkEffectBuilder::setMaterialLayers, "Unknown error set Material Layers"},
  };
  for (const Step& step : steps) {
    if (!(this->*step.run)()) return fail(step.unknown);
  }
  return true;
}

// ---- step 1: parameter values ---------------------------------------------

bool CTkEffectBuilder::initParameters() {
  const ITkEffectDef* definition = effect_->definition();
  const int count = definition->getDesc().parameterCount;
  for (int i = 0; i < count; ++i) {
    const SParameter* description = definition->getParameter(i);
    if (!description) return fail("Failed to get parameter from description");
    STkFxParameter parameter;
    parameter.type = description->type;
    switch (description->type) {
      case kParamBool: {
        bool value = false;
        definition->getBool(i, &value);
        parameter.value.bytes[0] = value ? 1 : 0;
        break;
      }
      case kParamInt: definition->getInt(i, &parameter.value.ints[0]); break;
      case kParamFloat:
      case kParamFloat2:
      case kParamFloat3:
      case kParamFloat4:
      case kParamFloat4x4:
        definition->getFloatArray(i, parameter.value.floats, floatCountOf(description->type));
        break;
      default:
        if (isTextureType(description->type)) parameter.sampler = samplerRecordOf(*description);
        break;
    }
    effect_->parameters_.push_back(parameter);
  }
  return true;
}

// ---- step 2: techniques ---------------------------------------------------

bool CTkEffectBuilder::initTechniques() {
  const ITkEffectDef* definition = effect_->definition();
  const int count = definition->getDesc().techniqueCount;
  for (int t = 0; t < count; ++t) {
    const STechnique* technique = definition->getTechnique(t);
    if (!technique) return fail("Failed to get technique description");
    STkFxTechnique fxTechnique;
    for (const SPass& passDefinition : technique->passes) {
      STkFxPass pass;
      if (!initPass(passDefinition, &pass)) return false;
      fxTechnique.passes.push_back(std::move(pass));
    }
    effect_->techniques_.push_back(std::move(fxTechnique));
  }
  return true;
}

bool CTkEffectBuilder::initPass(const SPass& definition, STkFxPass* pass) {
  int materialType = -1;
  if (!initPassMaterial(definition, pass, &materialType)) return false;
  for (const SShader& shader : definition.shaders) {
    pass->shaders.emplace_back();
    if (!initShaderBinds(shader, materialType, &pass->shaders.back())) return false;
  }
  if (!initTextureStates(definition, pass)) return false;
  for (const STkFxShader& shader : pass->shaders)
    for (const STkFxConstBind& constant : shader.constants)
      if (std::find(pass->binds.begin(), pass->binds.end(), constant.bind) == pass->binds.end())
        pass->binds.push_back(constant.bind);
  initDepthStates(definition, pass);
  return true;
}

bool CTkEffectBuilder::initPassMaterial(const SPass& definition, STkFxPass* pass, int* materialType) {
  SShaderMaterialRequest request;
  request.vertexEntry = "main";
  request.pixelEntry = "main";
  for (const SShader& shader : definition.shaders) {
    const std::string path = withoutFileScheme(shader.source);
    if (shader.stage == kStageVertex) {
      if (path.empty()) return fail("Inconsistent Vertex Shader Filename " + shader.source);
      request.vertexPath = path;
      request.vertexEntry = shader.entry;
      request.vertexTarget = vertexTargetOf(shader.profile);
      if (request.vertexTarget < 0) return fail("Unsupported Vertex Compiler target");
    } else if (shader.stage == kStagePixel) {
      if (path.empty()) return fail("Inconsistent Pixel Shader Filename " + shader.source);
      request.pixelPath = path;
      request.pixelEntry = shader.entry;
      request.pixelTarget = pixelTargetOf(shader.profile);
      if (request.pixelTarget < 0) return fail("Unsupported Pixel Compiler target");
    }
  }
  int baseMaterial = -1;
  float typeParameter = 0;
  if (!initBaseMaterial(definition, &baseMaterial, &typeParameter)) return false;
  if (baseMaterial < 0) baseMaterial = inputs_.defaultBaseMaterial;
  if (baseMaterial < 0) baseMaterial = kBaseMaterialSolid;
  if (!passMacros(definition, &request.macros)) return false;
  request.vertexPath = resolveShaderPath(request.vertexPath);
  request.pixelPath = resolveShaderPath(request.pixelPath);
  request.callback = inputs_.callback;
  request.baseMaterial = baseMaterial;
  request.userData = 0;
  std::string error;
  *materialType = inputs_.services->getShaderMaterial(request, &error);
  if (*materialType < 0) return fail(error);
  pass->material.base.MaterialType = static_cast<irr::video::E_MATERIAL_TYPE>(*materialType);
  pass->material.base.MaterialTypeParam = typeParameter;
  pass->material.base.MaterialTypeParam2 = 0;
  return true;
}

bool CTkEffectBuilder::initBaseMaterial(const SPass& definition, int* baseMaterial, float* typeParameter) {
  const SState* blend = findState(definition, "blend_enable");
  if (blend && strcasecmp(blend->value.c_str(), "true") == 0) {
    const SState* source = findState(definition, "blend_func src");
    const SState* destination = findState(definition, "blend_func dest");
    const uint32_t bits = packedBlendFunction(source ? blendFactorCodeOf(source->value) : kBlendOne,
                                              destination ? blendFactorCodeOf(destination->value) : kBlendZero,
                                              kBlendModulate1x, kBlendAlphaSourceTexture);
    *baseMaterial = kBaseMaterialOneTextureBlend;
    std::memcpy(typeParameter, &bits, sizeof bits);
    return true;
  }
  const SParameter* annotation = findNamed(definition.annotations, "baseMaterial");
  if (!annotation) return true;
  const SBaseMaterialName* entry = baseMaterialNamed(annotation->value);
  if (!entry) return fail("Invalid base material annotation " + annotation->value);
  *baseMaterial = entry->materialType;
  std::memcpy(typeParameter, &entry->typeParameterBits, sizeof entry->typeParameterBits);
  return true;
}

bool CTkEffectBuilder::passMacros(const SPass& definition, ShaderMacroList* macros) {
  *macros = inputs_.macros;
  for (const SShader& shader : definition.shaders)
    for (const std::string& text : shader.inlineDefines) {
      SShaderMacro macro;
      std::string error;
      if (!inlineDefineToMacro(text, &macro, &error)) return fail(error);
      mergeMacro(macros, macro);
    }
  macros->erase(std::remove_if(macros->begin(), macros->end(), [](const SShaderMacro& m) { return m.name.empty(); }),
                macros->end());
  return true;
}

std::string CTkEffectBuilder::resolveShaderPath(const std::string& path) const {
  if (path.empty()) return path;
  const std::string beside = directory_ + "/" + path;
  if (fileExists(beside.c_str())) return beside;
  for (const std::string& directory : *inputs_.shaderDirectories) {
    const std::string candidate = directory + "/" + path;
    if (fileExists(candidate.c_str())) return candidate;
  }
  return path;
}

bool CTkEffectBuilder::initShaderBinds(const SShader& shader, int materialType, STkFxShader* fxShader) {
  fxShader->stage = shader.stage;
  const ITkEffectDef* definition = effect_->definition();
  for (const SParameter& bind : shader.binds) {
    const int index = definition->getParameterIndex(bind.value.c_str());
    const SParameter* parameter = definition->getParameter(index);
    if (!parameter)
      return fail("failed to get Param '" + (bind.value.empty() ? std::string("??") : bind.value) +
                  "' for the Bind '" + bind.name + "'");
    if (isValueType(parameter->type)) {
      if (!initConstantBind(shader.stage, materialType, bind, index, fxShader)) return false;
    } else if (isTextureType(parameter->type)) {
      if (!initTextureBind(shader.stage, materialType, bind, index, fxShader)) return false;
    }
  }
  int next = 0;
  for (STkFxTextureBind& texture : fxShader->textures)
    if (texture.sampler < 0) texture.sampler = next++;
  return true;
}

bool CTkEffectBuilder::initConstantBind(int stage, int materialType, const SParameter& bind, int parameterIndex,
                                        STkFxShader* fxShader) {
  if (stage != kStageVertex && stage != kStagePixel) return fail("initConstantBind: Unsupported shader stage");
  const SShaderCompiledEntry* compiled = stage == kStageVertex ? inputs_.services->vertexShaderOf(materialType)
                                                               : inputs_.services->pixelShaderOf(materialType);
  const STkShaderConstant* reflected = compiled ? compiled->code.table.findConstant(bind.name) : nullptr;
  if (!reflected) return true;  // the compiler removed it
  const SParameter* parameter = effect_->definition()->getParameter(parameterIndex);
  STkFxConstBind constant;
  constant.stage = stage;
  constant.type = parameter->type;
  constant.name = bind.name;
  constant.semantic = parameter->semantic;
  constant.parameter = parameterIndex;
  constant.value = effect_->parameters_[parameterIndex].value.floats;
  constant.floatCount = floatCountOf(parameter->type);
  placeConstant(&constant, *reflected);
  const std::vector<ITkEffectBind*>& binds = *inputs_.binds;
  for (size_t i = 0; i < binds.size(); ++i) {
    int privateData[2] = {0, 0};
    STkBindResult result = binds[i]->getBindFunction(constant, privateData);
    if (result.status != kBindAnswered) continue;
    constant.bind = binds[i];
    constant.function = result.function;
    constant.flags = result.flags;
    constant.privateData[0] = privateData[0];
    constant.privateData[1] = privateData[1];
    if (i + 1 == binds.size() && !constant.semantic.empty())
      log(LOG_WARN, "Warning: %s: the Semantic '%s' has no corresponding binding", effect_->name().c_str(),
          constant.semantic.c_str());
    fxShader->constants.push_back(std::move(constant));
    return true;
  }
  return fail("failed to get a bind function for " + bind.name);
}

bool CTkEffectBuilder::initTextureBind(int stage, int materialType, const SParameter& bind, int parameterIndex,
                                       STkFxShader* fxShader) {
  if (stage != kStageVertex && stage != kStagePixel) return fail("initTextureBind: Unsupported shader stage");
  int unit = -1;
  const bool used = stage == kStageVertex
                        ? inputs_.services->getVertexSamplerIndex(materialType, bind.name, &unit)
                        : inputs_.services->getPixelSamplerIndex(materialType, bind.name, &unit);
  if (!used) return true;
  STkFxTextureBind texture;
  texture.stage = stage;
  texture.type = effect_->definition()->getParameter(parameterIndex)->type;
  texture.name = bind.name;
  texture.parameter = parameterIndex;
  texture.sampler = unit;
  fxShader->textures.push_back(texture);
  return true;
}

bool CTkEffectBuilder::initTextureStates(const SPass& definition, STkFxPass* pass) {
  STkFxShader* pixel = nullptr;
  for (STkFxShader& shader : pass->shaders)
    if (shader.stage == kStagePixel) {
      pixel = &shader;
      break;
    }
  if (!pixel) return true;
  for (const SState& state : definition.states) {
    if (state.name != "texture1D" && state.name != "texture2D" && state.name != "texture3D" &&
        state.name != "textureCUBE")
      continue;
    const int index = effect_->definition()->getParameterIndex(state.parameterReference.c_str());
    const SParameter* parameter = effect_->definition()->getParameter(index);
    if (!parameter)
      return fail("failed to get Param '" + state.parameterReference + "' for the texture state'" + state.name + "'");
    STkFxTextureBind texture;
    texture.stage = kStagePixel;
    texture.type = parameter->type;
    texture.name = state.parameterReference;
    texture.parameter = index;
    texture.sampler = state.index;
    pixel->textures.push_back(texture);
  }
  return true;
}

void CTkEffectBuilder::initDepthStates(const SPass& definition, STkFxPass* pass) {
  irr::video::SMaterial& material = pass->material.base;
  bool depthMaskIgnored = false;
  for (const SState& state : definition.states) {
    if (state.name == "depth_func") {
      const int code = depthComparisonCodeOf(state.value);
      if (code >= 0) material.ZBuffer = static_cast<irr::u8>(code);
      pass->stateFlags |= kPassHasDepthFunc;
    } else if (state.name == "depth_mask") {
      if (!depthMaskIgnored) material.ZWriteEnable = state.value == "true";
      pass->stateFlags |= kPassHasDepthMask;
    } else if (state.name == "depth_test_enable") {
      if (state.value != "true") {
        material.ZWriteEnable = false;
        material.ZBuffer = kCompareOff;
        depthMaskIgnored = true;
      }
      pass->stateFlags |= kPassHasDepthTestEnable;
    } else if (state.name == "point_size_enable") {
      material.PointCloud = state.value == "true";
      pass->stateFlags |= kPassHasPointSizeEnable;
    }
  }
}

// ---- step 3: textures -----------------------------------------------------

bool CTkEffectBuilder::isTextureBound(int parameter) const {
  for (const STkFxTechnique& technique : effect_->techniques_)
    for (const STkFxPass& pass : technique.passes)
      for (const STkFxShader& shader : pass.shaders)
        for (const STkFxTextureBind& texture : shader.textures)
          if (texture.parameter == parameter) return true;
  return false;
}

bool CTkEffectBuilder::loadTextures() {
  for (int i = 0; i < effect_->parameterCount(); ++i) {
    if (!isTextureType(effect_->parameters_[i].type)) continue;
    if (!isTextureBound(i)) {
      log(LOG_DEBUG,
          "CTkEffectBuilder::loadTextures : The Texture Parameter '%s' is not bound to any shader sampler, do not "
          "load texture.",
          effect_->definition()->getParameter(i)->name.c_str());
      continue;
    }
    if (!loadParameterTexture(i)) return false;
  }
  return true;
}

bool CTkEffectBuilder::loadParameterTexture(int index) {
  const SParameter* parameter = effect_->definition()->getParameter(index);
  if (!parameter) return fail("Failed to get sampler info for parameter");
  const std::string& semantic = parameter->semantic;
  const std::string& image = parameter->sampler.imageReference;
  if (semantic.empty() && image.empty()) return true;
  for (ITkEffectTextureResolver* resolver : *inputs_.resolvers) {
    bool failed = false;
    irr::video::ITexture* texture =
        resolver->resolveTexture(parameter->type, semantic, image, directory_, *inputs_.textureDirectories, &failed);
    if (failed)
      return fail("Failed to get Texture [ Semantic=" + (semantic.empty() ? std::string("<null>") : semantic) +
                  " ImageUrl=" + (image.empty() ? std::string("<null>") : image) + " ] of parameter " +
                  (parameter->name.empty() ? std::string("<Unknown!>") : parameter->name));
    if (texture) {
      effect_->parameters_[index].sampler.texture = texture;
      log(LOG_DEBUG, "CTkEffectBuilder::loadParameterTexture : loaded Semantic='%s' Url='%s'", semantic.c_str(),
          image.c_str());
      return true;
    }
  }
  return true;
}

// ---- step 4: material layers ----------------------------------------------

bool CTkEffectBuilder::setMaterialLayers() {
  for (STkFxTechnique& technique : effect_->techniques_)
    for (STkFxPass& pass : technique.passes) {
      const STkFxShader* pixel = nullptr;
      const STkFxShader* vertex = nullptr;
      for (const STkFxShader& shader : pass.shaders) {
        if (shader.stage == kStagePixel && !pixel) pixel = &shader;
        if (shader.stage == kStageVertex && !vertex) vertex = &shader;
      }
      if (pixel)
        for (const STkFxTextureBind& texture : pixel->textures) {
          if (texture.sampler < 0 || texture.sampler >= kPixelLayerCount)
            return fail("Sampler illegal index > MATERIAL_MAX_TEXTURES");
          pass.material.pixelLayers[texture.sampler] = effect_->parameters_[texture.parameter].sampler;
        }
      if (vertex)
        for (const STkFxTextureBind& texture : vertex->textures) {
          if (texture.sampler < 0 || texture.sampler >= kVertexLayerCount)
            return fail("Sampler illegal index > MATERIAL_MAX_TEXTURES_VERTEX");
          pass.material.vertexLayers[texture.sampler] = effect_->parameters_[texture.parameter].sampler;
        }
    }
  return true;
}

}  // namespace tk
