#pragma once
// The drawn node's reflection cube map: "CubeMapPosition", and the box used
// for box-projected reflections ("CubeMapAABBPosition", "CubeMapAABBScale").

#include "effects/binds/bind_environment.h"
#include "effects/binds/effect_bind.h"
#include "effects/binds/node_extension_view.h"

namespace tk {

class CTkEffectBindNodeExt : public CTkEnvironmentBind {
 public:
  using CTkEnvironmentBind::CTkEnvironmentBind;
  bool onSetMaterial(const STkMaterialContext* context) override;
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;

 private:
  static void upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                     const STkFxConstBind& constant, const int privateData[2]);
  const ITkSceneNodeExt* extension_ = nullptr;
};

}  // namespace tk
