#include "render/post/post_depth_of_field.h"

#include "render/render_services.h"

namespace tk {

bool CTkPostDepthOfField::load(CTkEffectManager* effects, CTkRenderServices* services, const std::string& cocArtist,
                               const std::string& cocPhysical, const std::string& blur) {
  services_ = services;
  return cocArtist_.load(effects, services, cocArtist) && cocPhysical_.load(effects, services, cocPhysical) &&
         blur_.load(effects, services, blur);
}

void CTkPostDepthOfField::renderPhysical(irr::video::ITexture* target, irr::video::ITexture* source,
                                         irr::video::ITexture* depth, irr::video::ITexture* work) {
  render(&cocPhysical_, target, source, depth, work, 1.0f);
}

void CTkPostDepthOfField::renderArtist(irr::video::ITexture* target, irr::video::ITexture* source,
                                       irr::video::ITexture* depth, irr::video::ITexture* work, float radiusScale) {
  render(&cocArtist_, target, source, depth, work, radiusScale);
}

void CTkPostDepthOfField::render(CTkPostEffect* coc, irr::video::ITexture* target, irr::video::ITexture* source,
                                 irr::video::ITexture* depth, irr::video::ITexture* work, float radiusScale) {
  // Without a picture to read or room for the circle of confusion the blur
  // would read and write one texture: the target is left as it is.
  if (!blur_.loaded() || !source || !work || work == source) return;
  coc->draw(work, source, depth);
  blur_.setFloat("angle", 0.0f);
  blur_.setFloat("radiusScale", radiusScale);
  blur_.draw(source, work, depth);
  blur_.setFloat("angle", kSecondPassAngle);
  if (target != source) {
    blur_.draw(target, source, depth);
    return;
  }
  // Into the picture itself: through the work target, which is free again.
  blur_.draw(work, source, depth);
  services_->copyTextureInto(target, work);
}

}  // namespace tk
