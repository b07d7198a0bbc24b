#pragma once
// Lights for shaders. CTkEffectBindLightParams packs the active lights into
// the block of a forward-lighting pixel shader (directional, then point, then
// spot lights, at most five); CTkEffectBindLight answers per-light semantics
// ("LightPos2", "Light[1].Direction", ...) for the root's light children.

#include "effects/binds/bind_environment.h"
#include "effects/binds/effect_bind.h"

namespace tk {

constexpr int kLightBlockSize = 5;

struct STkLightRecord {
  float color[3] = {0, 0, 0};
  float position[3] = {0, 0, 0};
  float direction[3] = {0, 0, 0};
  float invRadiusSqr = 0;
  float spotAngles[2] = {0, 0};  // cos(inner cone), cos(outer cone)
};

enum : int { kLightKindDirectional, kLightKindPoint, kLightKindSpot, kLightKindCount };

struct STkLightBlock {
  STkLightRecord records[kLightBlockSize];
  int counts[kLightKindCount] = {0, 0, 0};
  int firsts[kLightKindCount] = {0, 0, 0};
};

class CTkEffectBindLightParams : public CTkEnvironmentBind {
 public:
  using CTkEnvironmentBind::CTkEnvironmentBind;
  bool onSetMaterial(const STkMaterialContext* context) override;
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;
  const STkLightBlock& block() const { return block_; }

 private:
  static void uploadCounts(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                           const STkFxConstBind& constant, const int privateData[2]);
  static void uploadParams(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                           const STkFxConstBind& constant, const int privateData[2]);
  STkLightBlock block_;
};

class CTkEffectBindLight : public CTkEnvironmentBind {
 public:
  using CTkEnvironmentBind::CTkEnvironmentBind;
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;

 private:
  static void uploadAmbient(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                            const STkFxConstBind& constant, const int privateData[2]);
  static void uploadOfLight(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                            const STkFxConstBind& constant, const int privateData[2]);
  // The index-th direct child of the scene root that is a light, or null.
  irr::scene::ILightSceneNode* lightAt(int index) const;
};

}  // namespace tk
