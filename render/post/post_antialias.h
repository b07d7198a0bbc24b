#pragma once
// The engine's own anti-aliasing: SMAA on the picture, then temporal blending
// of the (jittered) picture with the history of the previous frames.

#include <irrlicht.h>

#include <string>

#include "render/post/post_effect.h"
#include "render/render_settings.h"

namespace tk {

class CTkEffectManager;
class CTkRenderServices;
class ITkPostSMAAPass;

// The weight of the new picture against the history: by the weight setting
// (0 follows the jitter setting), 1 on a camera cut.
float antialiasBlendWeight(int weightSetting, int jitterSetting, bool cameraCut);

// One frame's pictures and the cameras it was drawn with.
struct STkAntialiasFrame {
  irr::video::ITexture* target = nullptr;  // none: the screen
  irr::video::ITexture* source = nullptr;
  irr::video::ITexture* work = nullptr;
  irr::video::ITexture* history = nullptr;
  bool toDisplay = false;   // the result also goes to the screen
  bool colorSpace = false;  // SMAA finds edges on the gamma-encoded picture
  bool cameraCut = false;
  // False for a frame drawn into a texture (an image): it is no step of the
  // screen's sequence, so it neither blends with the history nor replaces it.
  bool useHistory = true;
  // The view and projection the picture was drawn with, and the previous frame's.
  irr::core::matrix4 view, projection, previousView, previousProjection;
};

class CTkPostAntialias {
 public:
  // "BlendAntialias.hlsl" as given and with USE_REPROJ_CAMERA, and with
  // USE_VLIMIT too; false after logging "CTkPostAntialias failed to load <file>".
  bool load(CTkEffectManager* effects, CTkRenderServices* services, const std::string& file);
  // The SMAA the engine runs for mode 1; none: mode 1 draws no SMAA.
  void setSmaaPass(ITkPostSMAAPass* smaa) { smaa_ = smaa; }
  ITkPostSMAAPass* smaaPass() const { return smaa_; }

  // SMAA (mode) or temporal blending is switched on.
  static bool isEnabled(const STkRenderSettings& settings);
  // Anti-aliases the frame's source by the settings and answers the texture
  // holding the result (none: the screen holds it), left set as render
  // target. With toDisplay the result is on the screen afterwards, and the
  // screen is the render target.
  irr::video::ITexture* render(const STkRenderSettings& settings, const STkAntialiasFrame& frame);

 private:
  CTkPostEffect* blendEffect(const STkRenderSettings& settings);
  void setReprojection(CTkPostEffect* effect, const STkAntialiasFrame& frame) const;
  void copy(irr::video::ITexture* source, irr::video::ITexture* target) const;

  CTkPostEffect plain_;
  CTkPostEffect reprojecting_;
  CTkPostEffect reprojectingLimited_;
  CTkRenderServices* services_ = nullptr;
  ITkPostSMAAPass* smaa_ = nullptr;
};

}  // namespace tk
