#pragma once
// The three full-screen steps the glow pyramid is built from: one pass of a
// separable Gaussian blur, the reduction of a picture into a smaller target,
// and the addition of a picture onto a target. Each loads one effect file and
// fails with "CTkPostEffect failed to load <file>".

#include <irrlicht.h>

#include <string>

#include "render/post/post_effect.h"

namespace tk {

// The effect file is compiled once for each of a few tap counts; a pass uses
// the fewest taps that still land about a texel apart over its reach.
class CTkPostBlur {
 public:
  static constexpr int kVariantCount = 7;
  // Taps on each side of the centre, by variant.
  static constexpr int kSideTaps[kVariantCount] = {2, 3, 4, 6, 8, 12, 16};

  bool load(CTkEffectManager* effects, CTkRenderServices* services, const std::string& file);
  // `input` blurred across (horizontal) or up and down into `target` over
  // `size` screen pixels, scaled by `weight`. The two must be of one size.
  void pass(irr::video::ITexture* target, irr::video::ITexture* input, bool horizontal, float size, float weight);
  // Both passes: across into `work`, then up and down back into `picture`;
  // the result is scaled by `weight` once, not by its square.
  void blur(irr::video::ITexture* picture, irr::video::ITexture* work, float size, float weight);

  // The variant for a reach of `texels` texels of the target.
  static int variantFor(float texels);

 private:
  CTkRenderServices* services_ = nullptr;
  CTkPostEffect variants_[kVariantCount];
};

class CTkPostDownSample {
 public:
  bool load(CTkEffectManager* effects, CTkRenderServices* services, const std::string& file) {
    return effect_.load(effects, services, file);
  }
  // `input` filtered down into the smaller `target` (any sizes draw).
  void render(irr::video::ITexture* target, irr::video::ITexture* input) { effect_.draw(target, input); }

 private:
  CTkPostEffect effect_;
};

class CTkPostCompose {
 public:
  bool load(CTkEffectManager* effects, CTkRenderServices* services, const std::string& file) {
    services_ = services;
    return effect_.load(effects, services, file);
  }
  // `input` times `weight` added onto what `target` holds; its alpha is kept.
  void render(irr::video::ITexture* target, irr::video::ITexture* input, float weight);

 private:
  CTkPostEffect effect_;
  CTkRenderServices* services_ = nullptr;
};

}  // namespace tk
