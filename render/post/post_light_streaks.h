#pragma once
// Light streaks: the light above a threshold smeared along one direction and
// its opposite by eight passes between two small work targets, then added
// onto a target.

#include <irrlicht.h>

#include <string>

#include "render/post/post_effect.h"

namespace tk {

class CTkPostCompose;
struct STkRenderSettings;

class CTkPostLightStreaks {
 public:
  // The threshold and draw effects ("CTkPostEffect failed to load <file>");
  // `compose` adds the streaks onto the target and must outlive this.
  bool load(CTkEffectManager* effects, CTkRenderServices* services, const std::string& maxIntensityFile,
            const std::string& drawFile, CTkPostCompose* compose);
  // The streaks of `input` added into `target`, with the threshold, angle
  // (degrees, Direct3D's v-down sense), tint, attenuation and intensity of
  // `settings`; `workA` and `workB` are two targets of one size. `scale`
  // multiplies what is added.
  void render(irr::video::ITexture* target, irr::video::ITexture* input, irr::video::ITexture* workA,
              irr::video::ITexture* workB, const STkRenderSettings& settings, float scale = 1.0f);

 private:
  CTkPostEffect maxIntensity_;
  CTkPostEffect draw_;
  CTkPostCompose* compose_ = nullptr;
};

}  // namespace tk
