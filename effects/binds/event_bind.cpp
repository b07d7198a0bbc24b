#include "effects/binds/event_bind.h"

#include "effects/binds/bind_helpers.h"
#include "platform/input/input_state.h"

namespace tk {

STkBindResult CTkEffectBindEvent::getBindFunction(const STkFxConstBind& constant, int*) {
  return constant.semantic == "Mouse" ? bindAnswer(uploadMouse) : STkBindResult();
}

// Without input or device the constant keeps its last value.
void CTkEffectBindEvent::uploadMouse(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                     const STkFxConstBind& constant, const int*) {
  auto* self = static_cast<CTkEffectBindEvent*>(bind);
  const InputState* input = self->environment_.input;
  if (!input || !self->environment_.device) return;
  const irr::core::dimension2du screen = self->environment_.device->getVideoDriver()->getScreenSize();
  const float values[4] = {static_cast<float>(input->mouseX) / static_cast<float>(screen.Width),
                           static_cast<float>(input->mouseY) / static_cast<float>(screen.Height),
                           input->leftButton ? 1.0f : 0.0f, input->rightButton ? 1.0f : 0.0f};
  uploadByName(services, constant, values, 4);
}

}  // namespace tk
