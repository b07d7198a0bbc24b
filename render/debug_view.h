#pragma once
// The debug view both advanced frame renderers draw over a screen frame when
// the context's debug-view flag is on: thumbnails of the intermediate
// targets (G-buffer, light buffer, glow levels, a shadow map) at the top left.

#include <irrlicht.h>

#include <vector>

namespace tk {

class CTkRenderServices;
class RenderTargetRegistry;

// Sets the screen as target and draws the thumbnails of the named targets
// that exist and of the third shadow map of the pool, when there is one.
void drawDebugView(CTkRenderServices* services, const RenderTargetRegistry* textures,
                   const std::vector<irr::video::ITexture*>& shadowMaps);
// The texture stretched over the rectangle of the current target; nothing
// for none.
void drawTexture(irr::video::IVideoDriver* driver, irr::video::ITexture* texture, int x, int y, int width,
                 int height);

}  // namespace tk
