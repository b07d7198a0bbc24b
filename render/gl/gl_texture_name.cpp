#include "render/gl/gl_texture_name.h"

namespace irr::video {

// The display library's OpenGL texture class is not among its installed
// headers, but the library exports this accessor. Declaring the one member on
// an otherwise opaque class lets the call bind to that exported symbol; no
// other part of the class (size, members, virtual functions) is relied on.
class COpenGLTexture {
 public:
  unsigned getOpenGLTextureName() const;
};

}  // namespace irr::video

namespace tk {

unsigned glTextureNameOf(irr::video::ITexture* texture) {
  if (!texture || texture->getDriverType() != irr::video::EDT_OPENGL) return 0;
  // Every texture of the OpenGL driver is of that class (or derived from it),
  // with the interface as its first, non-virtual base: the object starts at
  // the interface's address.
  return reinterpret_cast<const irr::video::COpenGLTexture*>(texture)->getOpenGLTextureName();
}

}  // namespace tk
