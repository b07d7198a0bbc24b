#pragma once
// The active camera: its position, clip distances and field of view, the
// corners of its far plane, and the rays through the viewport's corners.

#include "effects/binds/bind_environment.h"
#include "effects/binds/effect_bind.h"

namespace tk {

class CTkEffectBindCamera : public CTkEnvironmentBind {
 public:
  using CTkEnvironmentBind::CTkEnvironmentBind;
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;

 private:
  static void upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                     const STkFxConstBind& constant, const int privateData[2]);
};

}  // namespace tk
