#pragma once
// The video driver's current view, world and projection transforms and their
// products, for "World", "WorldViewProjection", "ViewInverse" and the like.

#include "effects/binds/bind_environment.h"
#include "effects/binds/effect_bind.h"

namespace tk {

struct STkViewTransforms {
  irr::core::matrix4 world;
  irr::core::matrix4 view;
  irr::core::matrix4 projection;
};

class CTkEffectBindTransform : public CTkEnvironmentBind {
 public:
  using CTkEnvironmentBind::CTkEnvironmentBind;
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;
  // What a constant bound with `privateData` receives under these transforms.
  static irr::core::matrix4 matrixFor(const int privateData[2], const STkViewTransforms& transforms);

 private:
  static void upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                     const STkFxConstBind& constant, const int privateData[2]);
};

}  // namespace tk
