#pragma once
// The light extension: what the engine adds to a light node besides the
// display library's light data. The renderers read its shadow settings (map
// size, fuzz, colour, depth bias, the box of distant lights) and the
// volumetric settings from here. Like the scene node extension it rides on
// the node as a node animator, of type kLightExtAnimatorType, so whoever holds
// the light finds it. Whether the light casts shadows at all is the light
// node's own flag (ILightSceneNode::enableCastShadow).

#include <irrlicht.h>

namespace tk {

constexpr irr::scene::ESCENE_NODE_ANIMATOR_TYPE kLightExtAnimatorType =
    static_cast<irr::scene::ESCENE_NODE_ANIMATOR_TYPE>(4322);

struct STkLightExtParams {
  float shadowColorMultiplier = 1.0f;
  irr::video::SColorf shadowColor{0, 0, 0, 1};
  int shadowMapSize = 512;
  float shadowEpsilon = 5.0f;  // depth bias in units of 0.00001
  float shadowFuzz = 0;        // softness: picks the shadow filter
  // Distant lights: the orthographic shadow box, how far its camera is pulled
  // back along the light, and whether it follows the active camera.
  bool distantShadowFollowsCamera = false;
  float distantShadowOffset = 1.0f;
  float distantShadowWidth = 30;
  float distantShadowHeight = 30;
  // Volumetric light: drawn by the volumetric pass, which also keeps the
  // light's shadow map for itself.
  bool volumetric = false;
  float volumetricPower = 1.0f;
  bool volumetricColorOverride = false;
  irr::video::SColorf volumetricColor{1, 1, 1, 1};
  float volumetricConeBase = 0;
  bool volumetricClamp = false;
  float volumetricClampMax = 1.0f;
  int volumetricQuality = 0;
};

class CTkLightSceneNodeExt : public irr::scene::ISceneNodeAnimator {
 public:
  CTkLightSceneNodeExt() = default;
  ~CTkLightSceneNodeExt() override;
  CTkLightSceneNodeExt(const CTkLightSceneNodeExt&) = delete;
  CTkLightSceneNodeExt& operator=(const CTkLightSceneNodeExt&) = delete;

  STkLightExtParams& params() { return params_; }
  const STkLightExtParams& params() const { return params_; }
  // The texture volumetric spot lights project; a counted reference is held.
  void setProjectedImage(irr::video::ITexture* image);
  irr::video::ITexture* projectedImage() const { return projectedImage_; }

  // ---- node animator: nothing per frame; copies of the light copy it ----
  void animateNode(irr::scene::ISceneNode*, irr::u32) override {}
  irr::scene::ISceneNodeAnimator* createClone(irr::scene::ISceneNode* node,
                                              irr::scene::ISceneManager* manager = nullptr) override;
  irr::scene::ESCENE_NODE_ANIMATOR_TYPE getType() const override { return kLightExtAnimatorType; }

 private:
  STkLightExtParams params_;
  irr::video::ITexture* projectedImage_ = nullptr;
};

// The extension riding on `node`; null when it has none (or no node).
CTkLightSceneNodeExt* lightExtensionOf(const irr::scene::ISceneNode* node);
// The extension of `light`, attached with its defaults when it has none yet.
CTkLightSceneNodeExt* attachLightExtension(irr::scene::ILightSceneNode* light);

}  // namespace tk
