#include "render/renderer_ctx_adv.h"

#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/binds/semantic_map_bind.h"
#include "effects/runtime/effect_manager.h"
#include "render/lpp/light_buffer.h"
#include "render/lpp/light_pass.h"
#include "render/lpp/light_shadow_map.h"
#include "render/post/post_antialias.h"
#include "render/post/post_blur.h"
#include "render/post/post_depth_of_field.h"
#include "render/post/post_effect.h"
#include "render/post/post_glow.h"
#include "render/post/post_light_streaks.h"
#include "render/post/post_settings.h"
#include "render/post/post_smaa.h"
#include "render/render_services.h"
#include "render/render_target_registry.h"

namespace tk {
namespace {

const char* const kGlowTargetNames[CTkRendererCtxAdv::kGlowTargetCount] = {
    "HalfScreen[0]",      "HalfScreen[1]",         "HalfScreen[2]",         "QuarterScreen[0]",
    "QuarterScreen[1]",   "EighthScreen[0]",       "EighthScreen[1]",       "SixTeenthScreen[0]",
    "SixTeenthScreen[1]", "ThirtyTwothScreen[0]",  "ThirtyTwothScreen[1]",  "SixtyFourthScreen[0]",
    "SixtyFourthScreen[1]"};

const char* const kShadowMapNames[] = {"ShadowMap.256", "ShadowMap.512", "ShadowMap.512.1", "ShadowMap.1024"};

const char* const kFileNames[kCtxAdvFileCount] = {
    nullptr,
    "LppDepthClear.hlsl",
    "LppLightPass.hlsl",
    "LppShadowDepth.hlsl",
    "GaussianBlur.hlsl",
    "DownSampleBlur.hlsl",
    "ComposeUpSample.hlsl",
    "LightStreakMaxInt.hlsl",
    "LightStreakDraw.hlsl",
    "GlowAlphaMul.hlsl",
    "DofCocArtist.hlsl",
    "DofCocPhysical.hlsl",
    "Dof.hlsl",
    "Gamma.hlsl",
    "BlendAntialias.hlsl",
    "VolumetricSpotLight.hlsl",
    "VolumetricPointLight.hlsl",
    "SMAA-1-LumaEdgeDetection.fx",
    "SMAA-2-BlendingWeightCalculation.fx",
    "SMAA-3-NeighborhoodBlending.fx",
    "AreaTexDX9.png",
    "SearchTex.png"};

}  // namespace

std::vector<std::string> ctxAdvFiles(bool antialias) {
  std::vector<std::string> files;
  files.push_back(antialias ? "1" : "0");
  for (int i = 1; i < kCtxAdvFileCount; ++i) files.push_back(resolveFile(kFileNames[i]));
  return files;
}

CTkRendererCtxAdv::CTkRendererCtxAdv(CTkRenderServices* services, const RenderTargetRegistry* textures,
                                     CTkEffectManager* effects)
    : CTkRendererCtx(services, textures), services_(services), textures_(textures), effects_(effects) {}

CTkRendererCtxAdv::~CTkRendererCtxAdv() = default;

bool CTkRendererCtxAdv::init(const std::vector<std::string>& files) {
  if (initialised_ || files.size() != kCtxAdvFileCount) return false;
  if (!findGlowTargets()) {
    log(LOG_ERROR, "CTkRendererCtxAdv failed to find textures for glow");
    return false;
  }
  if (!makeShadowMapPool()) {
    log(LOG_ERROR, "CTkRendererCtxAdv failed to allocate shadow map render targets");
    return false;
  }
  antialias_ = files[kCtxAdvAntialias] == "1";
  if (!initComponents(files)) return false;
  initialised_ = true;
  return true;
}

bool CTkRendererCtxAdv::findGlowTargets() {
  glowTargets_.clear();
  for (const char* name : kGlowTargetNames) {
    const RenderTargetInfo* info = textures_ ? textures_->find(name) : nullptr;
    if (!info) return false;
    glowTargets_.push_back(info->texture);
  }
  return true;
}

bool CTkRendererCtxAdv::makeShadowMapPool() {
  std::vector<irr::video::ITexture*> maps;
  std::vector<irr::u32> heights;
  for (const char* name : kShadowMapNames) {
    const RenderTargetInfo* info = textures_ ? textures_->find(name) : nullptr;
    if (!info) return false;
    maps.push_back(info->texture);
    heights.push_back(info->size.Height);
  }
  shadowMapPool_.setMaps(maps, heights);
  return true;
}

ITkLightPass* CTkRendererCtxAdv::lightPass() const { return lightPass_.get(); }

bool CTkRendererCtxAdv::makeLightPass(const std::vector<std::string>& files) {
  irr::IrrlichtDevice* device = services_ ? services_->device() : nullptr;
  auto buffer = std::make_unique<CTkRenderLightBuffer>();
  auto shadowMap = std::make_unique<CTkRenderLightShadowMap>();
  if (!buffer->init(device, effects_, services_, files[kCtxAdvLightPass]) ||
      !shadowMap->init(device, effects_, services_, files[kCtxAdvShadowDepth]))
    return false;
  lightPass_ = std::make_unique<CTkRenderLightPass>();
  lightPass_->init(device, buffer.get(), shadowMap.get(), &shadowMapPool_);
  lightBuffer_ = std::move(buffer);
  lightShadowMap_ = std::move(shadowMap);
  return true;
}

// The bind semantics, then the lighting and post-processing components, in
// this order: light buffer, shadow-map renderer, light pass, volumetric
// lights, anti-aliasing (when switched on), depth clear, blur, down-sample,
// up-sample, light streaks, glow, depth of field, gamma. A command whose
// component is not made takes its "off" branch.
bool CTkRendererCtxAdv::initComponents(const std::vector<std::string>& files) {
  if (!makeBindSemantics() || !makeLightPass(files)) return false;
  // SMAA first: the engine's anti-aliasing runs it.
  if (antialias_ && !(makeSmaa(files) && makeAntialias(files))) return false;
  return makeDepthClear(files) && makeGlow(files) && makeDepthOfField(files) && makeGamma(files);
}

bool CTkRendererCtxAdv::makeDepthClear(const std::vector<std::string>& files) {
  auto depthClear = std::make_unique<CTkPostEffect>();
  if (!depthClear->load(effects_, services_, files[kCtxAdvDepthClear])) return false;
  depthClear_ = std::move(depthClear);
  return true;
}

bool CTkRendererCtxAdv::makeAntialias(const std::vector<std::string>& files) {
  auto antialias = std::make_unique<CTkPostAntialias>();
  if (!antialias->load(effects_, services_, files[kCtxAdvBlendAntialias])) return false;
  antialias->setSmaaPass(smaa_.get());
  temporalAntialias_ = std::move(antialias);
  return true;
}

bool CTkRendererCtxAdv::makeDepthOfField(const std::vector<std::string>& files) {
  auto depthOfField = std::make_unique<CTkPostDepthOfField>();
  if (!depthOfField->load(effects_, services_, files[kCtxAdvDofCocArtist], files[kCtxAdvDofCocPhysical],
                          files[kCtxAdvDof]))
    return false;
  depthOfField_ = std::move(depthOfField);
  return true;
}

bool CTkRendererCtxAdv::makeGamma(const std::vector<std::string>& files) {
  auto gamma = std::make_unique<CTkPostEffect>();
  if (!gamma->load(effects_, services_, files[kCtxAdvGamma])) return false;
  gamma_ = std::move(gamma);
  return true;
}

// The blur, down-sample and compose steps, the light streaks built on them,
// then the glow built on all four.
bool CTkRendererCtxAdv::makeGlow(const std::vector<std::string>& files) {
  auto blur = std::make_unique<CTkPostBlur>();
  auto downSample = std::make_unique<CTkPostDownSample>();
  auto compose = std::make_unique<CTkPostCompose>();
  auto streaks = std::make_unique<CTkPostLightStreaks>();
  auto glow = std::make_unique<CTkPostGlow>();
  if (!blur->load(effects_, services_, files[kCtxAdvGaussianBlur]) ||
      !downSample->load(effects_, services_, files[kCtxAdvDownSampleBlur]) ||
      !compose->load(effects_, services_, files[kCtxAdvComposeUpSample]) ||
      !streaks->load(effects_, services_, files[kCtxAdvStreakMaxInt], files[kCtxAdvStreakDraw], compose.get()))
    return false;
  const STkGlowSteps steps{blur.get(), downSample.get(), compose.get(), streaks.get()};
  STkGlowTargets targets;
  irr::video::ITexture** levels[] = {targets.half, targets.quarter, targets.eighth, targets.sixteenth,
                                     targets.thirtySecond};
  // glowTargets_: HalfScreen[0..2], then two of each smaller level.
  const int firstOfLevel[] = {0, 3, 5, 7, 9};
  for (int level = 0; level < 5; ++level)
    for (int member = 0; member < 2; ++member)
      levels[level][member] = glowTargets_[firstOfLevel[level] + member];
  if (!glow->load(effects_, services_, files[kCtxAdvGlowAlphaMul], steps, targets)) return false;
  blur_ = std::move(blur);
  downSample_ = std::move(downSample);
  compose_ = std::move(compose);
  streaks_ = std::move(streaks);
  glow_ = std::move(glow);
  return true;
}

bool CTkRendererCtxAdv::makeSmaa(const std::vector<std::string>& files) {
  STkPostSMAAFiles smaaFiles;
  smaaFiles.edges = files[kCtxAdvSmaaEdges];
  smaaFiles.weights = files[kCtxAdvSmaaWeights];
  smaaFiles.blend = files[kCtxAdvSmaaBlend];
  smaaFiles.gamma = files[kCtxAdvGamma];
  smaaFiles.areaTable = files[kCtxAdvSmaaAreaTex];
  smaaFiles.searchTable = files[kCtxAdvSmaaSearchTex];
  smaa_ = std::make_unique<CTkPostSMAA>();
  if (smaa_->init(effects_, services_, smaaFiles)) return true;
  smaa_.reset();
  return false;
}

bool CTkRendererCtxAdv::makeBindSemantics() {
  semantics_ = effects_ ? effects_->createBindSemanticMap() : nullptr;
  if (!semantics_) {
    log(LOG_ERROR, "CTkRendererCtxAdv failed to create BindSemanticMap");
    return false;
  }
  if (!declarePostSemantics(semantics_)) {
    log(LOG_ERROR, "CTkRendererCtxAdv failed to create bind semantics");
    return false;
  }
  refreshPostSemantics(semantics_, renderSettings_);
  return true;
}

void CTkRendererCtxAdv::refreshRenderSettings(const STkRenderSettings& engine, const STkCameraValues& camera,
                                              int colorSpaceViewer, bool baking) {
  renderSettings_ = refreshedRenderSettings(engine, camera, colorSpaceViewer, baking);
  refreshPostSemantics(semantics_, renderSettings_);
  if (lightBuffer_) {
    lightBuffer_->setShadowEpsilonOverride(renderSettings_.shadowEnable != 0, renderSettings_.shadowEpsilon);
    lightBuffer_->setDebug(getFrameSettings().debugView != 0);
  }
}


}  // namespace tk
