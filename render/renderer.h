#pragma once
// Renderers and the contexts they read besides the scene.

#include <irrlicht.h>

#include <memory>
#include <string>
#include <vector>

#include "effects/shader_macro.h"
#include "render/post_chain.h"

namespace tk {

class CTkEffect;
class CTkRenderServices;
class RenderTargetRegistry;

// What every frame renderer reads: background colour (ARGB) and the debug-view flag.
struct STkFrameSettings {
  irr::u32 backgroundColor = 0;
  irr::u32 debugView = 0;
};

class ITkRendererCtx : public virtual irr::IReferenceCounted {
 public:
  virtual STkFrameSettings& getFrameSettings() = 0;
  // Replaces the effects the post chain runs after the scene (counted references).
  virtual void setPostEffects(const std::vector<CTkEffect*>& effects) = 0;
  // The chain those effects run in; null when the context cannot draw one.
  virtual CTkPostChain* getPostChain() = 0;
};

// The plain context: frame settings and the post chain of the camera effects.
class CTkRendererCtx : public ITkRendererCtx {
 public:
  // Without render services the context keeps no chain and no effects.
  explicit CTkRendererCtx(CTkRenderServices* services = nullptr, const RenderTargetRegistry* textures = nullptr);
  STkFrameSettings& getFrameSettings() override { return settings_; }
  void setPostEffects(const std::vector<CTkEffect*>& effects) override;
  CTkPostChain* getPostChain() override { return postChain_.get(); }

 private:
  STkFrameSettings settings_;
  std::unique_ptr<CTkPostChain> postChain_;
};

class ITkRenderer : public virtual irr::IReferenceCounted {
 public:
  // Draws one frame into `display`: none is the screen, a texture when the
  // frame is rendered into an image.
  virtual void render(irr::video::ITexture* display) = 0;
  // The effect file that draws a surface over the display-library material
  // type `materialType` under this renderer (empty: the surface's own
  // default) and the macros it adds, appended to `macros`. `capacity` is the
  // room in entries, an end entry counted; on success it becomes the number
  // of macros added. False, with the renderer's message, when they do not fit.
  virtual bool getMaterialEffect(std::string* file, ShaderMacroList* macros, int* capacity, int materialType) = 0;
};

// Forward only: clears to the context's background colour and draws the scene
// graph with the display library's own materials. With post effects the scene
// goes into a screen-sized target first, the chain runs over it, and the
// result is copied to the screen.
class CTkRendererSimple : public ITkRenderer {
 public:
  CTkRendererSimple(irr::IrrlichtDevice* device, ITkRendererCtx* ctx);
  ~CTkRendererSimple() override;
  void render(irr::video::ITexture* display) override;
  // No file and no macros: surfaces keep their own defaults.
  bool getMaterialEffect(std::string* file, ShaderMacroList* macros, int* capacity, int materialType) override;

 private:
  void drawScene(irr::video::ITexture* target);
  bool makePostTargets();
  void releasePostTargets();

  irr::IrrlichtDevice* device_;
  ITkRendererCtx* ctx_;
  irr::video::ITexture* postSource_ = nullptr;
  irr::video::ITexture* postWork_ = nullptr;
};

// The light pre-pass renderer's answer: "Forward.hlsl" for the blending
// material types (12 to 15), "Lpp.hlsl" for the others, with the single macro
// USE_OUTDEPTH; a room below 2 entries logs "<rendererName>::getMaterialEffect
// not enough space for macros" and fails.
bool lightPrePassMaterialEffect(const char* rendererName, std::string* file, ShaderMacroList* macros, int* capacity,
                                int materialType);

}  // namespace tk
