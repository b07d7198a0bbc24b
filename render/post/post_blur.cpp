#include "render/post/post_blur.h"

#include "effects/device_state_codes.h"
#include "render/render_services.h"
#include "render/video_driver_ext.h"

namespace tk {

void CTkPostBlur::pass(irr::video::ITexture* target, irr::video::ITexture* input, bool horizontal, float size,
                       float weight) {
  effect_.setFloat2("Direction", horizontal ? 1.0f : 0.0f, horizontal ? 0.0f : 1.0f);
  effect_.setFloat("Radius", size);
  effect_.setFloat("Intensity", weight);
  effect_.draw(target, input);
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
