#pragma once
// Device state beyond what the display library exposes: separate alpha
// blending, the constant blend factor, depth bias, stencil, sampler border
// colours, texture locks and explicit scene begin/end. The OpenGL extension
// sets GL state; the null extension accepts everything and changes nothing.
// Blend factors and operations, comparisons and stencil operations are given
// as the codes of effects/device_state_codes.h.

#include <irrlicht.h>

#include <cstdint>

#include "effects/binds/engine_state_views.h"
#include "effects/device_state_codes.h"

namespace tk {

// What a lock gives access to: one mip level of one texture (or cube face).
struct STkTextureLock {
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;  // bytes per row
  void* data = nullptr;
};

class TkTextureLockHandle;

class ITkVideoDriverExt : public ITkBlendFactorState {
 public:
  virtual void setSeparateAlphaBlendEnable(bool enable) = 0;
  virtual void setSrcBlendAlpha(int factor) = 0;
  virtual void setAlphaBlend(int operation, int sourceFactor, int destinationFactor) = 0;
  virtual void setBlendFactor(irr::video::SColor colour) = 0;
  virtual void setDepthBias(float bias, float slopeScale) = 0;
  virtual void setStencil(int value) = 0;
  virtual void setStencilPass(int operation) = 0;
  virtual void setStencilFunc(int comparison) = 0;
  virtual void setSamplerBorderColor(int sampler, irr::video::SColor colour) = 0;
  // Cube textures are engine-owned and not display-library textures: the cube
  // form takes the engine's handle. Mode 1 locks for reading only.
  virtual TkTextureLockHandle* lockCubeTexture(void* cubeTexture, int mode, int mipLevel, int face,
                                               STkTextureLock* out) = 0;
  virtual TkTextureLockHandle* lockTexture(irr::video::ITexture* texture, int mode, int mipLevel,
                                           STkTextureLock* out) = 0;
  virtual void unlockTexture(TkTextureLockHandle* handle) = 0;
  virtual int getMipLevelCount(irr::video::ITexture* texture) = 0;
  virtual bool beginScene() = 0;
  virtual bool endScene() = 0;
  // Sets again, right before a draw, the states the display library may have
  // changed while setting its own material (blending halves, blend factor).
  virtual void applyDrawState() {}
  // The material type that draws a material of type `type` whose depth
  // comparison is kCompareNever with that comparison (the display library
  // knows no "never"); the type itself where nothing is drawn.
  virtual int depthNeverMaterialType(int type) { return type; }
  // Puts a depth buffer of the engine's own under the render target set now,
  // in place of the one the display library shares between all targets of
  // that size, until restoreSharedDepth(): passes that use depth as a mask
  // leave the scene's depth alone. Targets of one size meet the same private
  // buffer, contents kept. False, nothing changed, for the screen.
  virtual bool usePrivateDepth() = 0;
  virtual void restoreSharedDepth() = 0;
};

// Accepts every call, changes nothing, answers 0, false or no handle.
class CTkNullVideoDriverExt : public ITkVideoDriverExt {
 public:
  void setSeparateAlphaBlendEnable(bool) override {}
  void setSrcBlendAlpha(int) override {}
  void setAlphaBlend(int, int, int) override {}
  void setBlendFactor(irr::video::SColor) override {}
  void setDepthBias(float, float) override {}
  void setStencil(int) override {}
  void setStencilPass(int) override {}
  void setStencilFunc(int) override {}
  void setSamplerBorderColor(int, irr::video::SColor) override {}
  TkTextureLockHandle* lockCubeTexture(void*, int, int, int, STkTextureLock*) override { return nullptr; }
  TkTextureLockHandle* lockTexture(irr::video::ITexture*, int, int, STkTextureLock*) override { return nullptr; }
  void unlockTexture(TkTextureLockHandle*) override {}
  int getMipLevelCount(irr::video::ITexture*) override { return 0; }
  bool beginScene() override { return false; }
  bool endScene() override { return false; }
  bool usePrivateDepth() override { return false; }
  void restoreSharedDepth() override {}
};

// The device-state codes as GL values, from the GL layer's tables (0 for a
// code outside them).
unsigned glBlendFactorOf(int code);
unsigned glBlendOperationOf(int code);
unsigned glStencilOperationOf(int code);
// Comparison: kCompareOff and kCompareAlways are Always.
unsigned glComparisonOf(int code);

}  // namespace tk
