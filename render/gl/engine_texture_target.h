#pragma once
// Draws into one level of one face of an engine texture (a level of a 2D
// texture: face 0) through a framebuffer object of its own.
//
// Orientation: while an engine texture is the target, the clip origin is the
// upper left (glClipControl), so clip-space y = +1, the top of the view, lands
// in row 0 of the level, which is the top row of every engine texture image
// (see engine_texture.h). Fragment coordinates count rows from that top row
// and the polygon winding seen as front-facing is the same as on the screen.
// Nothing else changes: projections and face cameras are the same as for the
// screen.
//
// Depth: a texture with its own depth buffer is drawn with it (the buffer is
// as large as level 0, so smaller levels use its top-left part); a depth
// texture is itself the depth buffer and no colour is written; a colour
// texture without its own depth buffer is drawn without depth.
//
// The display library keeps its own idea of the framebuffer and viewport: the
// object saves the framebuffer bindings, the viewport and the clip control at
// construction and puts them back on restore() or destruction, so that the
// library draws on as before. It owns no texture: keep the texture alive while
// it is bound.

#include "render/gl/engine_texture.h"

namespace tk {

class CTkEngineTextureTarget {
 public:
  CTkEngineTextureTarget();
  ~CTkEngineTextureTarget();
  CTkEngineTextureTarget(const CTkEngineTextureTarget&) = delete;
  CTkEngineTextureTarget& operator=(const CTkEngineTextureTarget&) = delete;

  // Makes the level and face the target and the viewport the whole level.
  // Can be called again for another face or level. False, with an error line,
  // for volumes, a level or face the texture does not have, or an incomplete
  // framebuffer (the saved state is then back in place).
  bool bind(CTkEngineTexture* texture, int face, int level);
  // Back to the saved framebuffers, viewport and clip control.
  void restore();
  bool isBound() const { return bound_; }

 private:
  unsigned framebuffer_ = 0;
  bool bound_ = false;
  int drawFramebuffer_ = 0, readFramebuffer_ = 0;
  int viewport_[4] = {};
  int clipOrigin_ = 0, clipDepth_ = 0;
};

}  // namespace tk
