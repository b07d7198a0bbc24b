#pragma once
// The engine state the binds read, as narrow views. The engine's own classes
// implement them (the engine-side scene manager, the last-frame record, the
// video driver extension), so that effects never see the renderer.

#include <irrlicht.h>

#include <vector>

namespace tk {

// Lights, scene time and the pass being drawn.
class ITkSceneStateView {
 public:
  virtual ~ITkSceneStateView() = default;
  // The lights the renderers light with.
  virtual const std::vector<irr::scene::ILightSceneNode*>& lights() const = 0;
  // Scene time in milliseconds.
  virtual irr::u32 currentTime() const = 0;
  // The pass a node list is drawn in; ESNRP_NONE outside node lists, where the
  // display library's own pass applies.
  virtual irr::scene::E_SCENE_NODE_RENDER_PASS currentRenderPass() const = 0;
};

// What the previous frame was seen through, and the recent frame rate.
class ITkFrameHistoryView {
 public:
  virtual ~ITkFrameHistoryView() = default;
  virtual const irr::core::matrix4& getLastProjection() const = 0;
  virtual const irr::core::matrix4& getLastView() const = 0;
  virtual float getFramesPerSecond() const = 0;
};

// The one device state a bind sets itself: the constant blend factor.
class ITkBlendFactorState {
 public:
  virtual ~ITkBlendFactorState() = default;
  virtual void setBlendFactor(irr::video::SColor colour) = 0;
};

}  // namespace tk
