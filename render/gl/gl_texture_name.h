#pragma once
// The GL texture behind a display-library texture, for binding it with raw GL
// next to engine textures.

#include <irrlicht.h>

namespace tk {

// The GL name of a texture of the display library's OpenGL driver; 0 for no
// texture and for a texture of another driver.
unsigned glTextureNameOf(irr::video::ITexture* texture);

}  // namespace tk
