#pragma once
// Seconds for animated shaders: "Time" and "Time0_X" from the device timer,
// "TimeScene" from the engine's scene time.

#include "effects/binds/bind_environment.h"
#include "effects/binds/effect_bind.h"

namespace tk {

class CTkEffectBindTime : public CTkEnvironmentBind {
 public:
  using CTkEnvironmentBind::CTkEnvironmentBind;
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;

 private:
  static void uploadDeviceTime(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                               const STkFxConstBind& constant, const int privateData[2]);
  static void uploadSceneTime(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                              const STkFxConstBind& constant, const int privateData[2]);
};

}  // namespace tk
