#include "render/post/post_blur.h"

#include <algorithm>
#include <cmath>

#include "effects/device_state_codes.h"
#include "render/render_services.h"
#include "render/video_driver_ext.h"

namespace tk {

bool CTkPostBlur::load(CTkEffectManager* effects, CTkRenderServices* services, const std::string& file) {
  services_ = services;
  for (int i = 0; i < kVariantCount; ++i)
    if (!variants_[i].load(effects, services, file, {{"BLUR_SIDE_TAPS", std::to_string(kSideTaps[i])}}))
      return false;
  return true;
}

int CTkPostBlur::variantFor(float texels) {
  for (int i = 0; i < kVariantCount; ++i)
    if (texels <= static_cast<float>(kSideTaps[i])) return i;
  return kVariantCount - 1;
}

void CTkPostBlur::pass(irr::video::ITexture* target, irr::video::ITexture* input, bool horizontal, float size,
                       float weight) {
  // The reach in texels of the target: screen pixels times the target's share of the screen.
  const irr::core::dimension2du screen = services_ ? services_->screenSize() : irr::core::dimension2du();
  const irr::core::dimension2du texture = target ? target->getSize() : screen;
  const float share = horizontal ? static_cast<float>(texture.Width) / std::max(screen.Width, 1u)
                                 : static_cast<float>(texture.Height) / std::max(screen.Height, 1u);
  const float texels = std::isfinite(size) ? std::fabs(size) * share : 0.0f;
  CTkPostEffect& effect = variants_[variantFor(texels)];
  effect.setFloat2("Direction", horizontal ? 1.0f : 0.0f, horizontal ? 0.0f : 1.0f);
  effect.setFloat("Radius", size);
  effect.setFloat("Intensity", weight);
  effect.draw(target, input);
}

void CTkPostBlur::blur(irr::video::ITexture* picture, irr::video::ITexture* work, float size, float weight) {
  pass(work, picture, true, size, weight);
  pass(picture, work, false, size, 1.0f);
}

// The effect's material adds colour and alpha alike, and the display
// library's additive material drops fragments whose alpha is 0. So the effect
// writes alpha 1 and the alpha half of the blend keeps the target's own.
void CTkPostCompose::render(irr::video::ITexture* target, irr::video::ITexture* input, float weight) {
  ITkVideoDriverExt* extension = services_ ? services_->videoDriverExt() : nullptr;
  if (extension) {
    extension->setSeparateAlphaBlendEnable(true);
    extension->setAlphaBlend(kBlendOpAdd, kBlendZero, kBlendOne);
  }
  effect_.setFloat("Intensity", weight);
  effect_.draw(target, input);
  if (extension) extension->setSeparateAlphaBlendEnable(false);
}

}  // namespace tk
