#pragma once
// Drawing helpers every renderer shares: several render targets at once,
// texture copies, the walk over what is visible, and debug boxes. Effect
// quads, node-list drawing and the cube-map services join them with the
// effect system.

#include <irrlicht.h>

#include <vector>

namespace tk {

class CTkRenderServices {
 public:
  explicit CTkRenderServices(irr::IrrlichtDevice* device) : device_(device) {}

  // Count 0 or a first entry of none: the screen. Otherwise the textures, in
  // order, as simultaneous targets, every colour plane written, no blending,
  // nothing cleared.
  void setRenderTargets(irr::video::ITexture* const* textures, int count);
  // The whole texture stretched over the whole current target, without alpha.
  void copyTexture(irr::video::ITexture* texture);
  // Every visible node of the scene graph but lights and cameras; an invisible
  // node hides its subtree, and a light or camera below the top level hides its own.
  void collectVisibleNodes(std::vector<irr::scene::ISceneNode*>* out) const;
  // The edges of a box in white, identity world transform, no lighting.
  void drawDebugBox(const irr::core::aabbox3df& box);

 private:
  irr::IrrlichtDevice* device_;
  irr::core::array<irr::video::IRenderTarget> targets_;
};

}  // namespace tk
