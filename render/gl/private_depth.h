#pragma once
// A depth buffer of the engine's own, put under whichever display-library
// render target is bound in place of the depth buffer the library shares
// between all targets of one size. Passes that use depth as a mask (and so
// clear and rewrite it) work in it without touching the scene's depth, which
// later draws into other targets of that size still test against.

namespace tk {

class CTkGLPrivateDepth {
 public:
  CTkGLPrivateDepth() = default;
  ~CTkGLPrivateDepth();
  CTkGLPrivateDepth(const CTkGLPrivateDepth&) = delete;
  CTkGLPrivateDepth& operator=(const CTkGLPrivateDepth&) = delete;

  // Swaps the bound framebuffer's depth attachment for the private buffer
  // (made or resized to the colour attachment's size; its contents survive
  // between uses of one size). False, with nothing changed, for the default
  // framebuffer or one without a colour texture.
  bool attach();
  // Puts the shared depth attachment back where attach() took it.
  void detach();

 private:
  bool fitToSize(int width, int height);

  unsigned renderbuffer_ = 0;
  int width_ = 0, height_ = 0;
  int framebuffer_ = 0;                  // where the private buffer is attached now, 0: nowhere
  int sharedType_ = 0, sharedName_ = 0;  // what was attached there before
  bool sharedStencil_ = false;           // the shared buffer sat at the depth-stencil point
};

}  // namespace tk
