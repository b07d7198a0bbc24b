#pragma once
// The video driver extension on OpenGL: the states are set as GL state in the
// display library's context (and restored where the library caches them).

#include <memory>

#include "render/gl/depth_never_materials.h"
#include "render/gl/private_depth.h"
#include "render/video_driver_ext.h"

namespace tk {

class CTkGLVideoDriverExt : public ITkVideoDriverExt {
 public:
  // Makes clip-space depth run from 0 at the near plane to w at the far one,
  // in the current context (see the definition). Without a driver depth
  // "never" stays with the engine's shader materials.
  explicit CTkGLVideoDriverExt(irr::video::IVideoDriver* driver = nullptr);
  ~CTkGLVideoDriverExt() override;
  void setSeparateAlphaBlendEnable(bool enable) override;
  void setSrcBlendAlpha(int factor) override;
  void setAlphaBlend(int operation, int sourceFactor, int destinationFactor) override;
  void setBlendFactor(irr::video::SColor colour) override;
  void setDepthBias(float bias, float slopeScale) override;
  // The display library sets blending and polygon offset with every material
  // of its own: the extension's choices are set again right before a draw.
  void applyDrawState() override;
  void setStencil(int value) override;
  void setStencilPass(int operation) override;
  void setStencilFunc(int comparison) override;
  void setSamplerBorderColor(int sampler, irr::video::SColor colour) override;
  // `cubeTexture` is a CTkEngineTexture of the cube kind; the lock holds a copy
  // of the face's level (rows tightly packed, top row first), written back on
  // unlock unless mode is 1 (read only).
  TkTextureLockHandle* lockCubeTexture(void* cubeTexture, int mode, int mipLevel, int face,
                                       STkTextureLock* out) override;
  TkTextureLockHandle* lockTexture(irr::video::ITexture* texture, int mode, int mipLevel, STkTextureLock* out) override;
  void unlockTexture(TkTextureLockHandle* handle) override;
  int getMipLevelCount(irr::video::ITexture* texture) override;
  // The display library begins and ends the scene itself: these always succeed.
  bool beginScene() override { return true; }
  bool endScene() override { return true; }
  int depthNeverMaterialType(int type) override;
  bool usePrivateDepth() override { return privateDepth_.attach(); }
  void restoreSharedDepth() override { privateDepth_.detach(); }

 private:
  std::unique_ptr<CTkDepthNeverMaterials> depthNever_;
  CTkGLPrivateDepth privateDepth_;
  bool separateAlpha_ = false;
  float depthBias_ = 0, slopeScale_ = 0;
  unsigned colourSource_ = 0x0302, colourDestination_ = 0x0303;  // GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA
  unsigned alphaSource_ = 1, alphaDestination_ = 0;               // GL_ONE, GL_ZERO
  unsigned alphaOperation_ = 0x8006;                               // GL_FUNC_ADD
  int stencilReference_ = 0;
  unsigned stencilFunction_ = 0x0207;                              // GL_ALWAYS
  void applyBlend();
  void applyDepthBias();
};

}  // namespace tk
