#pragma once
// The surface of the material being drawn: "LW_..." semantics read the
// LightWave surface's parameters, "LWHV_..." the HyperVoxel particle block.
// Both binds find the surface in onSetMaterial and, in transparent passes,
// set the blend factor's alpha from it.

#include "effects/binds/bind_environment.h"
#include "effects/binds/effect_bind.h"
#include "effects/binds/node_extension_view.h"

namespace tk {

// Shared part: finding the drawn surface of one type.
class CTkEffectBindSurface : public CTkEnvironmentBind {
 public:
  bool onSetMaterial(const STkMaterialContext* context) override;
  const ITkSurfaceView* currentSurface() const { return surface_; }

 protected:
  CTkEffectBindSurface(const STkBindEnvironment& environment, const char* bindName, irr::u32 surfaceType,
                       const char* typeName)
      : CTkEnvironmentBind(environment), bindName_(bindName), surfaceType_(surfaceType), typeName_(typeName) {}
  // The blend factor alpha (0 to 1) the surface asks for in transparent passes.
  virtual float blendAlpha(const ITkSurfaceView& surface) const = 0;


 private:
  void setBlendFactorInTransparentPasses(const ITkSurfaceView& surface) const;

  const char* bindName_;
  irr::u32 surfaceType_;
  const char* typeName_;
  const ITkSurfaceView* surface_ = nullptr;
};

class CTkEffectBindLightwave : public CTkEffectBindSurface {
 public:
  explicit CTkEffectBindLightwave(const STkBindEnvironment& environment)
      : CTkEffectBindSurface(environment, "CTkEffectBindLightwave", kTkSurfaceLightwave, "ETKST_LIGHTWAVE") {}
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;

 protected:
  float blendAlpha(const ITkSurfaceView& surface) const override;

 private:
  static void uploadInt(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                        const STkFxConstBind& constant, const int privateData[2]);
  static void uploadFloat(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                          const STkFxConstBind& constant, const int privateData[2]);
  static void uploadVector(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                           const STkFxConstBind& constant, const int privateData[2]);
  static void uploadRoughness(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                              const STkFxConstBind& constant, const int privateData[2]);
  static void uploadReflectionMaxMip(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                     const STkFxConstBind& constant, const int privateData[2]);
};

class CTkEffectBindLightwaveHV : public CTkEffectBindSurface {
 public:
  explicit CTkEffectBindLightwaveHV(const STkBindEnvironment& environment)
      : CTkEffectBindSurface(environment, "CTkEffectBindLightwaveHV", kTkSurfaceLightwaveHV, "ETKST_LIGHTWAVEHV") {}
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;

 protected:
  float blendAlpha(const ITkSurfaceView& surface) const override;

 private:
  static void upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                     const STkFxConstBind& constant, const int privateData[2]);
};

}  // namespace tk
