#pragma once
// The GL state the display library caches, saved on construction and put back
// on destruction, around raw GL drawing next to the library: the program, the
// framebuffer bindings, the 2D textures of units 0 to 3 and the active unit,
// the uniform buffer binding, the viewport and the depth test, culling and
// blending switches.

namespace tk {

class SavedGlState {
 public:
  SavedGlState();
  ~SavedGlState();
  SavedGlState(const SavedGlState&) = delete;
  SavedGlState& operator=(const SavedGlState&) = delete;

 private:
  static constexpr int kUnits = 4;  // the units the display library binds
  int program_, drawFramebuffer_, readFramebuffer_, activeTexture_, uniformBuffer_;
  int unitTextures_[kUnits];
  int viewport_[4];
  unsigned char depthTest_, cullFace_, blend_;
};

}  // namespace tk
