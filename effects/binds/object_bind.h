#pragma once
// Per-object values for shaders that look at other objects of the scene:
// "ObjectPos<N>", "ObjectRot<N>", "ObjectScale<N>", "ObjectTrans<N>" and
// "ObjectInvTrans<N>" of the N-th mesh-like child of the scene root.

#include "effects/binds/bind_environment.h"
#include "effects/binds/effect_bind.h"

namespace tk {

class CTkEffectBindObject : public CTkEnvironmentBind {
 public:
  using CTkEnvironmentBind::CTkEnvironmentBind;
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;

 private:
  static void upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                     const STkFxConstBind& constant, const int privateData[2]);
  // The index-th direct child of the scene root that is a mesh, animated
  // mesh, point-cache mesh or morph mesh; null when there is none.
  irr::scene::ISceneNode* objectAt(int index) const;
};

}  // namespace tk
