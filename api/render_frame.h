#pragma once

namespace tk {

// Renders and presents one frame of the current renderer.
void renderFrame();

}  // namespace tk
