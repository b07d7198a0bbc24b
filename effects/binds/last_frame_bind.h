#pragma once
// The previous frame's view and projection (for motion vectors and temporal
// filters) and the recent frame rate.

#include "effects/binds/bind_environment.h"
#include "effects/binds/effect_bind.h"

namespace tk {

class CTkEffectBindLastFrameInfo : public CTkEnvironmentBind {
 public:
  using CTkEnvironmentBind::CTkEnvironmentBind;
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;

 private:
  static void uploadFrameMatrix(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                const STkFxConstBind& constant, const int privateData[2]);
  static void uploadFps(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                        const STkFxConstBind& constant, const int privateData[2]);
};

}  // namespace tk
