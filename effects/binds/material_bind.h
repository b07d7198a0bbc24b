#pragma once
// Facts about the textures of the material being drawn: "Texture[N].Size"
// (width, height) and "Texture[N].NumMips", from the pixel layers for pixel
// shaders and the vertex layers for vertex shaders.

#include "effects/binds/bind_environment.h"
#include "effects/binds/effect_bind.h"

namespace tk {

struct STkMaterial;

class CTkEffectBindMaterial : public CTkEnvironmentBind {
 public:
  using CTkEnvironmentBind::CTkEnvironmentBind;
  bool onSetMaterial(const STkMaterialContext* context) override;
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;

 private:
  static void upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                     const STkFxConstBind& constant, const int privateData[2]);
  const STkMaterial* material_ = nullptr;
};

}  // namespace tk
