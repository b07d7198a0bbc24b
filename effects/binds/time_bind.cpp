#include "effects/binds/time_bind.h"

#include "effects/binds/bind_helpers.h"

namespace tk {

STkBindResult CTkEffectBindTime::getBindFunction(const STkFxConstBind& constant, int*) {
  if (constant.semantic == "Time" || constant.semantic == "Time0_X") return bindAnswer(uploadDeviceTime);
  if (constant.semantic == "TimeScene") return bindAnswer(uploadSceneTime);
  return STkBindResult();
}

void CTkEffectBindTime::uploadDeviceTime(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                         const STkFxConstBind& constant, const int*) {
  auto* self = static_cast<CTkEffectBindTime*>(bind);
  if (!self->environment_.device) return;
  uploadScalar(services, constant, static_cast<float>(self->environment_.device->getTimer()->getTime()) / 1000.0f);
}

void CTkEffectBindTime::uploadSceneTime(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                        const STkFxConstBind& constant, const int*) {
  auto* self = static_cast<CTkEffectBindTime*>(bind);
  if (!self->environment_.sceneManager) return;
  uploadScalar(services, constant, static_cast<float>(self->environment_.sceneManager->currentTime()) / 1000.0f);
}

}  // namespace tk
