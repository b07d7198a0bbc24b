#pragma once
// A full-screen effect: one effect file (with its macros) drawn over the whole
// target with the input picture on texture unit 0 and, where a component
// needs one, a second picture on unit 5. Every post-processing component
// (blur, glow, depth of field, gamma, anti-aliasing) is made of these.

#include <irrlicht.h>

#include <string>

#include "effects/shader_macro.h"

namespace tk {

class CTkEffect;
class CTkEffectManager;
class CTkRenderServices;

// The unit a component's second picture (depth, history, blend weights) is read from.
constexpr int kPostSecondUnit = 5;

class CTkPostEffect {
 public:
  CTkPostEffect() = default;
  ~CTkPostEffect();
  CTkPostEffect(const CTkPostEffect&) = delete;
  CTkPostEffect& operator=(const CTkPostEffect&) = delete;

  // False after logging "CTkPostEffect failed to load <file>".
  bool load(CTkEffectManager* effects, CTkRenderServices* services, const std::string& file,
            const ShaderMacroList& macros = {});
  bool loaded() const { return effect_ != nullptr; }
  CTkEffect* effect() const { return effect_; }
  const std::string& file() const { return file_; }

  // Parameters by name; a parameter the file does not declare is left alone.
  void setFloat(const char* name, float value);
  void setFloat2(const char* name, float x, float y);
  void setFloat3(const char* name, const float* xyz);

  // Draws every pass of the first technique into `target` (none: the screen)
  // reading `input` on unit 0 and `second`, when given, on unit 5. Nothing is
  // cleared; the effect's own states decide blending.
  void draw(irr::video::ITexture* target, irr::video::ITexture* input, irr::video::ITexture* second = nullptr);
  // The same into whatever target is set now (the inputs must then be
  // render targets alike, see CTkRenderServices::sameOrientation).
  void drawIntoCurrent(irr::video::ITexture* input, irr::video::ITexture* second = nullptr);

 private:
  void drawUnits(irr::video::ITexture* const* units);

  CTkEffect* effect_ = nullptr;
  CTkRenderServices* services_ = nullptr;
  std::string file_;
};

}  // namespace tk
