#pragma once

#include <irrlicht.h>

namespace tk {

// Renders and presents one frame of the current renderer.
void renderFrame();
// The same frame (scene, camera effects, GUI and 2D draws) drawn into a render
// target, cleared first to the background colour when `clear` is set; the
// screen is the target again afterwards and nothing is presented.
void renderFrameInto(irr::video::ITexture* target, bool clear);

}  // namespace tk
