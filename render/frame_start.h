#pragma once
// What every frame renderer does before it draws: the scene animated, the
// active camera's view and projection set, the node lists of the frame
// refilled by one walk of the scene graph, the frame's lights handed to the
// driver, and, for the screen, the camera cut and the projection jitter.

#include <irrlicht.h>

#include <vector>

#include "render/post/jitter.h"
#include "render/render_services.h"

namespace tk {

class CTkRendererCtxAdv;
class ITkLastFrameInfo;

// The node lists one frame draws from, refilled once per frame.
class CTkFrameLists {
 public:
  // Animates the scene graph, lets the active camera set the view and
  // projection, refills every list, and lets the lights of the frame set the
  // driver's dynamic lights (the forward surfaces read those).
  void startFrame(irr::IrrlichtDevice* device, const CTkRenderServices& services);

  const STkFrameNodeLists& nodes() const { return nodes_; }
  // The visible nodes whose extension casts shadows.
  const std::vector<irr::scene::ISceneNode*>& shadowCasters() const { return shadowCasters_; }
  // The light list as lights.
  const std::vector<irr::scene::ILightSceneNode*>& lights() const { return lights_; }

 private:
  STkFrameNodeLists nodes_;
  std::vector<irr::scene::ISceneNode*> shadowCasters_;
  std::vector<irr::scene::ILightSceneNode*> lights_;
};

// A screen frame is a camera cut when the camera moved by more than a unit or
// turned by more than 20 degrees since the last frame; an image never is.
bool frameIsCameraCut(const ITkLastFrameInfo* lastFrame, const irr::core::matrix4& view, bool toScreen);

// With a jitter setting and an anti-aliasing component (only it blends the
// jittered frames back into a steady picture; without it the jitter would
// only shake the screen), counts the next jittered frame of `counter` and
// moves the driver's projection (`projection`, saved by the caller) by its
// sub-pixel offset.
void jitterProjection(CTkRendererCtxAdv* context, irr::video::IVideoDriver* driver, EJitterCounter counter,
                      const irr::core::matrix4& projection);

}  // namespace tk
