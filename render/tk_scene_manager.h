#pragma once
// Engine-side scene services: the lights the renderers light with and the
// engine's current time. Particle systems, morph meshes and cube maps join it
// as they are built.

#include <irrlicht.h>

#include <vector>

#include "effects/binds/engine_state_views.h"

namespace tk {

class CTkSceneManager : public ITkSceneStateView {
 public:
  void registerLight(irr::scene::ILightSceneNode* light);
  void unregisterLight(irr::scene::ILightSceneNode* light);
  const std::vector<irr::scene::ILightSceneNode*>& lights() const override { return lights_; }

  // Scene time in milliseconds, set by scene animation.
  void setCurrentTime(irr::u32 ms) { currentTime_ = ms; }
  irr::u32 currentTime() const override { return currentTime_; }
  // The pass a node list is drawn in (ESNRP_NONE outside node lists, where the
  // display library's own pass applies).
  void setCurrentRenderPass(irr::scene::E_SCENE_NODE_RENDER_PASS pass) { renderPass_ = pass; }
  irr::scene::E_SCENE_NODE_RENDER_PASS currentRenderPass() const override { return renderPass_; }

 private:
  std::vector<irr::scene::ILightSceneNode*> lights_;
  irr::u32 currentTime_ = 0;
  irr::scene::E_SCENE_NODE_RENDER_PASS renderPass_ = irr::scene::ESNRP_NONE;
};

}  // namespace tk
