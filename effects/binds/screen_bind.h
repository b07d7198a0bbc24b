#pragma once
// Sizes of the current render target and of the screen, and the pixel
// fractions derived from them ("PixelSize", "QuarterScreenHalfPixelSize", ...).

#include "effects/binds/bind_environment.h"
#include "effects/binds/effect_bind.h"

namespace tk {

class CTkEffectBindScreen : public CTkEnvironmentBind {
 public:
  using CTkEnvironmentBind::CTkEnvironmentBind;
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;

 private:
  static void upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                     const STkFxConstBind& constant, const int privateData[2]);
};

}  // namespace tk
