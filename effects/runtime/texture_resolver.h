#pragma once
// The default texture resolver: a semantic names a texture the engine made
// (a render target or any texture of that name); an image reference names a
// file, looked for as given, beside the effect, then in the texture folders.

#include <irrlicht.h>

#include "effects/runtime/effect_manager.h"

namespace tk {

class CTkEffectTextureResolver : public ITkEffectTextureResolver {
 public:
  explicit CTkEffectTextureResolver(irr::video::IVideoDriver* driver) : driver_(driver) {}
  irr::video::ITexture* resolveTexture(int type, const std::string& semantic, const std::string& imageReference,
                                       const std::string& effectDirectory,
                                       const std::vector<std::string>& textureDirectories, bool* failed) override;

 private:
  irr::video::ITexture* loadByType(int type, const std::string& path, bool* failed);
  irr::video::IVideoDriver* driver_;
};

}  // namespace tk
