#pragma once
// Engine-side scene services: the lights the renderers light with, the
// engine's current time, and the node extensions of mesh-like nodes (found
// and made here; binds, render services and surfaces look them up here).
// Particle systems, morph meshes and cube maps join it as they are built.

#include <irrlicht.h>

#include <set>
#include <vector>

#include "effects/binds/engine_state_views.h"
#include "effects/binds/node_extension_view.h"
#include "render/node_ext/scene_node_ext.h"
#include "surfaces/surface_host.h"

namespace tk {

class CTkSceneManager : public ITkSceneStateView,
                        public ITkNodeExtensionLookup,
                        public ITkSurfaceHostLookup,
                        public ITkNodeExtRegistry {
 public:
  // Extensions made here register their records in `contexts` and copy
  // meshes with `manipulator` (either may be null: no numbers, no tangents).
  explicit CTkSceneManager(CTkMaterialContexts* contexts = nullptr,
                           const irr::scene::IMeshManipulator* manipulator = nullptr);
  ~CTkSceneManager() override;
  CTkSceneManager(const CTkSceneManager&) = delete;
  CTkSceneManager& operator=(const CTkSceneManager&) = delete;

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

  // Extensions made from now on draw depth "never" through it.
  void setVideoDriverExt(ITkVideoDriverExt* extension) { driverExt_ = extension; }

  // The node's extension, made and attached when it has none (null for no node).
  CTkSceneNodeExt* getNodeExt(irr::scene::ISceneNode* node);
  // Takes the extension off the node, letting go of all it holds.
  void removeNodeExt(irr::scene::ISceneNode* node);
  ITkSceneNodeExt* findNodeExt(irr::scene::ISceneNode* node) const override;
  ITkSurfaceHost* findSurfaceHost(irr::scene::ISceneNode* node) const override;
  // Every extension still alive lets go of what it holds (before the engine's
  // effects and material contexts go away).
  void releaseNodeExtensions();
  size_t liveNodeExtensions() const { return extensions_.size(); }

  void extensionMade(CTkSceneNodeExt* extension) override { extensions_.insert(extension); }
  void extensionGone(CTkSceneNodeExt* extension) override { extensions_.erase(extension); }

 private:
  std::vector<irr::scene::ILightSceneNode*> lights_;
  irr::u32 currentTime_ = 0;
  irr::scene::E_SCENE_NODE_RENDER_PASS renderPass_ = irr::scene::ESNRP_NONE;
  CTkMaterialContexts* contexts_;
  const irr::scene::IMeshManipulator* manipulator_;
  ITkVideoDriverExt* driverExt_ = nullptr;
  std::set<CTkSceneNodeExt*> extensions_;
};

}  // namespace tk
