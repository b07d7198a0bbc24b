#pragma once
// The mouse for interactive shaders: "Mouse" = (x / screen width,
// y / screen height, left button down, right button down).

#include "effects/binds/bind_environment.h"
#include "effects/binds/effect_bind.h"

namespace tk {

class CTkEffectBindEvent : public CTkEnvironmentBind {
 public:
  using CTkEnvironmentBind::CTkEnvironmentBind;
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;

 private:
  static void uploadMouse(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                          const STkFxConstBind& constant, const int privateData[2]);
};

}  // namespace tk
