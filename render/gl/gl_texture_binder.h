#pragma once
// Binds texture layers on GL texture units for the engine's material
// renderer: the layer's texture (a display-library texture or one the engine
// owns) with a sampler object for its wrap and filter choice, and, when the
// layer asks for sRGB reading of an 8-bit texture, an sRGB twin of it (the
// display library makes its textures linear; GL decides sRGB by format).

#include <epoxy/gl.h>
#include <irrlicht.h>

#include <map>
#include <tuple>

#include "effects/runtime/effect_material.h"

namespace tk {

class CTkGLTextureBinder {
 public:
  ~CTkGLTextureBinder();
  // Binds the layer on `unit` (nothing bound for an empty layer).
  void bind(int unit, const STkTextureLayer& layer);
  // Forgets what the binder made for a texture about to be destroyed.
  void forget(irr::video::ITexture* texture);

 private:
  using SamplerKey = std::tuple<int, int, bool, bool, int, bool, bool>;
  struct Twin {
    GLuint name = 0;    // 0: the texture has no sRGB form
    GLuint source = 0;  // the linear texture it copies
    GLint width = 0, height = 0;
    bool fresh = false;  // not copied yet
  };
  GLuint samplerFor(const STkTextureLayer& layer, bool mipMaps);
  void bindEngineTexture(int unit, const STkTextureLayer& layer);
  GLuint sRGBTwinOf(irr::video::ITexture* texture, GLuint linear);
  void makeTwin(Twin* twin, GLuint linear);
  void copyBytes(GLuint linear, const Twin& twin);

  std::map<SamplerKey, GLuint> samplers_;
  std::map<irr::video::ITexture*, Twin> twins_;
  GLuint readFramebuffer_ = 0, drawFramebuffer_ = 0;
};

}  // namespace tk
