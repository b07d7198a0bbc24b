#include "render/post/post_effect.h"

#include "base/log.h"
#include "effects/runtime/effect.h"
#include "effects/runtime/effect_manager.h"
#include "render/render_services.h"

namespace tk {

CTkPostEffect::~CTkPostEffect() {
  if (effect_) effect_->drop();
}

bool CTkPostEffect::load(CTkEffectManager* effects, CTkRenderServices* services, const std::string& file,
                         const ShaderMacroList& macros) {
  if (effect_) effect_->drop();
  effect_ = effects ? effects->createEffect(file.c_str(), -1, macros) : nullptr;
  services_ = services;
  file_ = file;
  if (!effect_) log(LOG_ERROR, "CTkPostEffect failed to load %s", file.c_str());
  return effect_ != nullptr;
}

void CTkPostEffect::setFloat(const char* name, float value) {
  if (effect_) effect_->setFloat(name, value);
}

void CTkPostEffect::setFloat2(const char* name, float x, float y) {
  const float values[2] = {x, y};
  if (effect_) effect_->setFloatArray(name, values, 2);
}

void CTkPostEffect::setFloat3(const char* name, const float* xyz) {
  if (effect_) effect_->setFloatArray(name, xyz, 3);
}

void CTkPostEffect::draw(irr::video::ITexture* target, irr::video::ITexture* input, irr::video::ITexture* second) {
  if (!effect_ || !services_) return;
  irr::video::ITexture* units[kPostSecondUnit + 1] = {input};
  units[kPostSecondUnit] = second;
  // Before the target is set: it may copy a picture upright into a target of its own.
  services_->sameOrientation(units, kPostSecondUnit + 1);
  services_->setRenderTargets(&target, target ? 1 : 0);
  drawUnits(units);
}

void CTkPostEffect::drawIntoCurrent(irr::video::ITexture* input, irr::video::ITexture* second) {
  if (!effect_ || !services_) return;
  irr::video::ITexture* units[kPostSecondUnit + 1] = {input};
  units[kPostSecondUnit] = second;
  drawUnits(units);
}

void CTkPostEffect::drawUnits(irr::video::ITexture* const* units) {
  const int count = units[kPostSecondUnit] ? kPostSecondUnit + 1 : 1;
  for (int pass = 0; pass < effect_->passCount(0); ++pass) services_->drawEffectTextures(effect_, 0, pass, units, count);
}

}  // namespace tk
