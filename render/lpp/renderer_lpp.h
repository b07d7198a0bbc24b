#pragma once
// The light pre-pass renderer: the engine's default frame when the light
// pre-pass is on. Solid objects write normals and depth into a small G-buffer,
// the light pass accumulates every light into the light buffer, the solid
// objects are drawn again with their surface effects (which read the light
// buffer), transparent objects forward over them, then the post chains,
// glow, depth of field, anti-aliasing and gamma finish the picture.

#include <irrlicht.h>

#include <string>

#include "render/frame_start.h"
#include "render/post/post_antialias.h"
#include "render/renderer.h"

namespace tk {

class CTkRendererCtxAdv;
class CTkRenderServices;
class ITkLastFrameInfo;
class RenderTargetRegistry;

struct STkRendererLppSetup {
  irr::IrrlichtDevice* device = nullptr;
  CTkRendererCtxAdv* context = nullptr;
  CTkRenderServices* services = nullptr;
  const ITkLastFrameInfo* lastFrame = nullptr;
  const RenderTargetRegistry* textures = nullptr;
};

class CTkRendererLpp : public ITkRenderer {
 public:
  explicit CTkRendererLpp(const STkRendererLppSetup& setup);
  ~CTkRendererLpp() override;

  // Keeps the names of the surface effect files and finds the named targets;
  // false after logging "CTkRendererLpp failed to find render targets" when
  // one is missing. A second call is refused.
  bool init(const std::string& lppFile, const std::string& forwardFile);
  bool initialised() const { return initialised_; }
  // One frame into `display` (none: the screen).
  void render(irr::video::ITexture* display) override;
  // "Forward.hlsl" for the blending material types, "Lpp.hlsl" for the
  // others, with USE_OUTDEPTH (see lightPrePassMaterialEffect).
  bool getMaterialEffect(std::string* file, ShaderMacroList* macros, int* capacity, int materialType) override;

  // Thumbnails of the intermediate targets, at the top left of the screen.
  void drawDebugView();
  // The texture stretched over the rectangle of the current target.
  void drawTexture(irr::video::ITexture* texture, int x, int y, int width, int height);

  const std::string& lppFile() const { return lppFile_; }
  const std::string& forwardFile() const { return forwardFile_; }
  // The frame's node lists, as the last frame filled them.
  const CTkFrameLists& frameLists() const { return frame_; }

 private:
  // What one frame carries from step to step.
  struct Frame {
    irr::video::ITexture* display = nullptr;
    bool cameraCut = false;
    bool glowOn = false;
  };
  enum { kBackTargets = 4, kHalfTargets = 3, kQuarterTargets = 2 };

  bool findTargets();
  irr::video::ITexture* otherBackTarget(irr::video::ITexture* texture) const;
  irr::video::ITexture* runChain(irr::video::ITexture* target, irr::video::ITexture* source,
                                 irr::video::ITexture* work, const char* name, bool copyBack, bool glowOn);
  void setColourAndDepthTargets(irr::video::ITexture* colour);

  void drawGBuffer();
  void drawLightBuffer();
  void drawOpaque();
  irr::video::ITexture* drawTransparent();
  // The volumetric lights of the frame added into `picture`; none are drawn
  // yet, so the picture is left as it is.
  void drawVolumetricLights(irr::video::ITexture* picture);
  STkAntialiasFrame antialiasFrame(const Frame& frame) const;
  irr::video::ITexture* antialiasInFrame(irr::video::ITexture* picture, const Frame& frame);
  irr::video::ITexture* addTransparentEffectsAndGlow(irr::video::ITexture* picture, const Frame& frame);
  irr::video::ITexture* applyDepthOfField(irr::video::ITexture* picture);
  void finish(irr::video::ITexture* picture, const Frame& frame);
  bool endAntialiasApplies() const;
  void antialiasToDisplay(irr::video::ITexture* picture, const Frame& frame);

  STkRendererLppSetup setup_;
  std::string lppFile_;
  std::string forwardFile_;
  bool initialised_ = false;
  irr::video::ITexture* back_[kBackTargets] = {};
  irr::video::ITexture* depth_ = nullptr;
  irr::video::ITexture* normal_ = nullptr;
  irr::video::ITexture* light_ = nullptr;
  irr::video::ITexture* half_[kHalfTargets] = {};
  irr::video::ITexture* quarter_[kQuarterTargets] = {};
  CTkFrameLists frame_;
  // Transparent passes keep the depth the solid objects wrote.
  irr::video::SOverrideMaterial transparentOverride_;
  // Solid surfaces drawn again over their own depth from the G-buffer pass.
  irr::video::SOverrideMaterial solidOverride_;
};

}  // namespace tk
