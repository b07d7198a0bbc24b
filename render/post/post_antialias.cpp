#include "render/post/post_antialias.h"

#include "base/log.h"
#include "effects/runtime/effect.h"
#include "render/post/post_smaa_pass.h"
#include "render/render_services.h"

namespace tk {
namespace {

enum : int { kModeSmaa = 1 };
enum : int { kBlendingReprojected = 2 };

float weightByJitter(int jitterSetting) {
  switch (jitterSetting) {
    case 0: return 1.0f;
    case 1: return 0.5f;
    case 2: return 0.25f;
    case 3: return 0.125f;
    default: return 0.0078125f;
  }
}

}  // namespace

float antialiasBlendWeight(int weightSetting, int jitterSetting, bool cameraCut) {
  if (cameraCut) return 1.0f;
  switch (weightSetting) {
    case 0: return weightByJitter(jitterSetting);
    case 1: return 1.0f;
    case 3: return 0.25f;
    case 4: return 0.125f;
    case 5: return 0.0625f;
    case 6: return 0.03125f;
    case 7: return 0.015625f;
    case 8: return 0.0078125f;
    case 9: return 0.00390625f;
    default: return 0.5f;
  }
}

bool CTkPostAntialias::load(CTkEffectManager* effects, CTkRenderServices* services, const std::string& file) {
  services_ = services;
  const bool loaded = plain_.load(effects, services, file) &&
                      reprojecting_.load(effects, services, file, {{"USE_REPROJ_CAMERA", ""}}) &&
                      reprojectingLimited_.load(effects, services, file, {{"USE_REPROJ_CAMERA", ""}, {"USE_VLIMIT", ""}});
  if (!loaded) log(LOG_ERROR, "CTkPostAntialias failed to load %s", file.c_str());
  return loaded;
}

bool CTkPostAntialias::isEnabled(const STkRenderSettings& settings) {
  return settings.antialias[kAntialiasMode] != 0 || settings.antialias[kAntialiasBlending] != 0;
}

CTkPostEffect* CTkPostAntialias::blendEffect(const STkRenderSettings& settings) {
  if (settings.antialias[kAntialiasBlending] != kBlendingReprojected) return &plain_;
  if (settings.antialias[kAntialiasVLimitEnable] == 0) return &reprojecting_;
  reprojectingLimited_.setFloat("VLimit", settings.antialiasLimit);
  return &reprojectingLimited_;
}

// The picture's view space from its projection, and from there the previous
// frame's clip space: inverse view, then the previous view and projection.
void CTkPostAntialias::setReprojection(CTkPostEffect* effect, const STkAntialiasFrame& frame) const {
  if (!effect->effect()) return;
  const irr::core::matrix4& p = frame.projection;
  const float viewRay[4] = {p[0] != 0 ? 1.0f / p[0] : 1.0f, p[5] != 0 ? 1.0f / p[5] : 1.0f, p[8], p[9]};
  effect->effect()->setFloatArray("ViewRay", viewRay, 4);
  irr::core::matrix4 inverseView;
  if (!frame.view.getInverse(inverseView)) inverseView = frame.view;
  const irr::core::matrix4 reprojection = frame.previousProjection * frame.previousView * inverseView;
  effect->effect()->setMatrix("Reprojection", reprojection.pointer());
}

void CTkPostAntialias::copy(irr::video::ITexture* source, irr::video::ITexture* target) const {
  if (!source || source == target) return;
  services_->copyTextureInto(target, source);
}

irr::video::ITexture* CTkPostAntialias::render(const STkRenderSettings& settings, const STkAntialiasFrame& frame) {
  if (!services_) return frame.source;
  const int* aa = settings.antialias;
  const bool blending = aa[kAntialiasBlending] != 0 && frame.useHistory && frame.history;
  irr::video::ITexture* result = frame.source;
  bool onScreen = false;
  bool smaaRan = false;
  if (aa[kAntialiasMode] == kModeSmaa && smaa_ && smaa_->ready()) {
    const bool straightToScreen = frame.toDisplay && !blending;
    smaa_->render(frame.target, frame.source, frame.work, straightToScreen, frame.colorSpace);
    smaaRan = true;
    result = frame.target;
    onScreen = straightToScreen || !frame.target;
  }
  // A picture already on the screen cannot be read back to blend.
  if (blending && result) {
    const float weight = antialiasBlendWeight(aa[kAntialiasBlendingWeight], aa[kAntialiasJitter], frame.cameraCut);
    // After SMAA the source is free to take the blend.
    irr::video::ITexture* blendTarget = smaaRan ? frame.source : frame.target;
    if (blendTarget == result) blendTarget = frame.work;
    if (weight != 1.0f && blendTarget != result && blendTarget != frame.history) {
      CTkPostEffect* effect = blendEffect(settings);
      if (effect != &plain_) setReprojection(effect, frame);
      effect->setFloat("Blend", weight);
      effect->draw(blendTarget, result, frame.history);
      result = blendTarget;
      onScreen = !blendTarget;
    }
    // The screen cannot be read back: a result blended there is no history.
    if (result) copy(result, frame.history);
  }
  if (frame.toDisplay && !onScreen && result) copy(result, nullptr);
  // What comes next draws over the result, not into the history.
  irr::video::ITexture* const resultTarget = frame.toDisplay ? nullptr : result;
  services_->setRenderTargets(&resultTarget, resultTarget ? 1 : 0);
  return result;
}

}  // namespace tk
