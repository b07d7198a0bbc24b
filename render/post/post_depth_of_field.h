#pragma once
// Depth of field: a circle of confusion per pixel from its depth, then two
// gather blurs whose radius follows it, the second with its sample pattern
// turned by 60 degrees so that the two together cover the disc evenly.

#include <irrlicht.h>

#include <string>

#include "render/post/post_effect.h"

namespace tk {

class CTkEffectManager;
class CTkRenderServices;

class CTkPostDepthOfField {
 public:
  // The artist and physical circle-of-confusion files and the blur file;
  // false after the failing effect's message.
  bool load(CTkEffectManager* effects, CTkRenderServices* services, const std::string& cocArtist,
            const std::string& cocPhysical, const std::string& blur);

  // The circle of confusion from the camera's focal distance and f-stop.
  void renderPhysical(irr::video::ITexture* target, irr::video::ITexture* source, irr::video::ITexture* depth,
                      irr::video::ITexture* work);
  // The circle of confusion from the focal range, its radius scaled.
  void renderArtist(irr::video::ITexture* target, irr::video::ITexture* source, irr::video::ITexture* depth,
                    irr::video::ITexture* work, float radiusScale);

  // The angle between the two blur passes' sample patterns (60 degrees).
  static constexpr float kSecondPassAngle = 1.0471976f;

 private:
  // The picture with its circle of confusion in alpha goes into `work`, is
  // blurred back into `source` (which it overwrites) and from there into `target`.
  void render(CTkPostEffect* coc, irr::video::ITexture* target, irr::video::ITexture* source,
              irr::video::ITexture* depth, irr::video::ITexture* work, float radiusScale);

  CTkPostEffect cocArtist_;
  CTkPostEffect cocPhysical_;
  CTkPostEffect blur_;
  CTkRenderServices* services_ = nullptr;
};

}  // namespace tk
