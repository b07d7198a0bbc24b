#pragma once
// The advanced renderer context: what the light pre-pass renderer and the
// command renderers read besides the scene. Beyond the plain context it finds
// the screen-fraction targets the post effects work in, keeps the pool of
// shadow maps and the render settings of the frame. The components that light,
// post-process and anti-alias (light buffer, shadow-map renderer, blur, glow,
// depth of field, gamma, anti-aliasing, volumetric lights) are initialised by
// init() from the effect-file list, each at its place in initComponents().

#include <irrlicht.h>

#include <memory>
#include <string>
#include <vector>

#include "render/lpp/shadow_map_pool.h"
#include "render/render_settings.h"
#include "render/renderer.h"

namespace tk {

class CTkEffectManager;
class CTkPostSMAA;
class CTkPostAntialias;
class CTkPostBlur;
class CTkPostCompose;
class CTkPostDepthOfField;
class CTkPostDownSample;
class CTkPostEffect;
class CTkPostGlow;
class CTkPostLightStreaks;
class ITkEffectBindSemanticMap;
class ITkLightPass;
class CTkRenderLightBuffer;
class CTkRenderLightPass;
class CTkRenderLightShadowMap;
class RenderTargetRegistry;
struct STkCameraValues;

// The effect files an advanced context is initialised with, in their fixed
// order; position 0 is the anti-aliasing switch, not a file.
enum STkCtxAdvFile {
  kCtxAdvAntialias = 0,
  kCtxAdvDepthClear,
  kCtxAdvLightPass,
  kCtxAdvShadowDepth,
  kCtxAdvGaussianBlur,
  kCtxAdvDownSampleBlur,
  kCtxAdvComposeUpSample,
  kCtxAdvStreakMaxInt,
  kCtxAdvStreakDraw,
  kCtxAdvGlowAlphaMul,
  kCtxAdvDofCocArtist,
  kCtxAdvDofCocPhysical,
  kCtxAdvDof,
  kCtxAdvGamma,
  kCtxAdvBlendAntialias,
  kCtxAdvVolumetricSpot,
  kCtxAdvVolumetricPoint,
  kCtxAdvSmaaEdges,
  kCtxAdvSmaaWeights,
  kCtxAdvSmaaBlend,
  kCtxAdvSmaaAreaTex,
  kCtxAdvSmaaSearchTex,
  kCtxAdvFileCount
};

// The list with each file resolved by the engine's file resolver (position 0
// holds "1" when anti-aliasing is on, else "0").
std::vector<std::string> ctxAdvFiles(bool antialias);

class CTkRendererCtxAdv : public CTkRendererCtx {
 public:
  static constexpr int kGlowTargetCount = 13;

  // `effects` makes the components' effects and the bind semantics.
  CTkRendererCtxAdv(CTkRenderServices* services, const RenderTargetRegistry* textures, CTkEffectManager* effects);
  ~CTkRendererCtxAdv() override;
  // False after logging at the first step that fails; a second call is refused.
  bool init(const std::vector<std::string>& files);
  bool initialised() const { return initialised_; }

  STkRenderSettings& getRenderSettings() { return renderSettings_; }
  // Before each frame: the record from the engine's values (see
  // refreshedRenderSettings), then the bind semantics from the record.
  void refreshRenderSettings(const STkRenderSettings& engine, const STkCameraValues& camera, int colorSpaceViewer,
                             bool baking);
  ITkEffectBindSemanticMap* bindSemantics() const { return semantics_; }
  bool antialiasSetUp() const { return antialias_; }
  // Null unless anti-aliasing is set up.
  CTkPostSMAA* smaa() const { return smaa_.get(); }
  // The half- to sixty-fourth-screen targets, in their named order.
  const std::vector<irr::video::ITexture*>& glowTargets() const { return glowTargets_; }

  // The components, null until init() made them; anti-aliasing only when set up.
  CTkPostAntialias* antialias() const { return temporalAntialias_.get(); }
  CTkPostGlow* glow() const { return glow_.get(); }
  CTkPostDownSample* downSample() const { return downSample_.get(); }
  CTkPostDepthOfField* depthOfField() const { return depthOfField_.get(); }
  CTkPostEffect* gamma() const { return gamma_.get(); }
  // Clears the G-buffer (normals and depth) to "nothing here".
  CTkPostEffect* depthClear() const { return depthClear_.get(); }
  ITkLightPass* lightPass() const;
  CTkRenderLightBuffer* lightBuffer() const { return lightBuffer_.get(); }
  CTkRenderLightShadowMap* lightShadowMap() const { return lightShadowMap_.get(); }

  // The shadow-map pool: every map free at the start of a frame, taken as
  // lights need them.
  const std::vector<irr::video::ITexture*>& shadowMaps() const { return shadowMapPool_.maps(); }
  void freeShadowMaps() { shadowMapPool_.freeAll(); }
  CTkShadowMapPool& shadowMapPool() { return shadowMapPool_; }

 private:
  bool findGlowTargets();
  bool makeShadowMapPool();
  bool initComponents(const std::vector<std::string>& files);
  bool makeBindSemantics();
  bool makeLightPass(const std::vector<std::string>& files);
  bool makeSmaa(const std::vector<std::string>& files);
  bool makeAntialias(const std::vector<std::string>& files);
  bool makeGlow(const std::vector<std::string>& files);
  bool makeDepthOfField(const std::vector<std::string>& files);
  bool makeGamma(const std::vector<std::string>& files);
  bool makeDepthClear(const std::vector<std::string>& files);

  CTkRenderServices* services_;
  const RenderTargetRegistry* textures_;
  CTkEffectManager* effects_;
  ITkEffectBindSemanticMap* semantics_ = nullptr;  // owned by the effect manager
  STkRenderSettings renderSettings_;
  bool antialias_ = false;
  bool initialised_ = false;
  std::vector<irr::video::ITexture*> glowTargets_;
  CTkShadowMapPool shadowMapPool_;
  std::unique_ptr<CTkPostSMAA> smaa_;
  std::unique_ptr<CTkPostAntialias> temporalAntialias_;
  std::unique_ptr<CTkPostBlur> blur_;
  std::unique_ptr<CTkPostDownSample> downSample_;
  std::unique_ptr<CTkPostCompose> compose_;
  std::unique_ptr<CTkPostLightStreaks> streaks_;
  std::unique_ptr<CTkPostGlow> glow_;
  std::unique_ptr<CTkPostDepthOfField> depthOfField_;
  std::unique_ptr<CTkPostEffect> gamma_;
  std::unique_ptr<CTkPostEffect> depthClear_;
  std::unique_ptr<CTkRenderLightBuffer> lightBuffer_;
  std::unique_ptr<CTkRenderLightShadowMap> lightShadowMap_;
  std::unique_ptr<CTkRenderLightPass> lightPass_;
};

}  // namespace tk
