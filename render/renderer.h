#pragma once
// Renderers and the contexts they read besides the scene.

#include <irrlicht.h>

namespace tk {

// What every frame renderer reads: background colour (ARGB) and the debug-view flag.
struct STkFrameSettings {
  irr::u32 backgroundColor = 0;
  irr::u32 debugView = 0;
};

class ITkRendererCtx : public virtual irr::IReferenceCounted {
 public:
  virtual STkFrameSettings& getFrameSettings() = 0;
};

// The plain context: frame settings only.
class CTkRendererCtx : public ITkRendererCtx {
 public:
  STkFrameSettings& getFrameSettings() override { return settings_; }

 private:
  STkFrameSettings settings_;
};

class ITkRenderer : public virtual irr::IReferenceCounted {
 public:
  // Draws one frame into the current target.
  virtual void render() = 0;
};

// Forward only: clears to the context's background colour and draws the scene
// graph with the display library's own materials.
class CTkRendererSimple : public ITkRenderer {
 public:
  CTkRendererSimple(irr::IrrlichtDevice* device, ITkRendererCtx* ctx);
  ~CTkRendererSimple() override;
  void render() override;

 private:
  irr::IrrlichtDevice* device_;
  ITkRendererCtx* ctx_;
};

}  // namespace tk
