#pragma once
// Render-target textures by name, with what the display library does not keep
// about them: their format as asked, their own depth buffer and mip-map flag.

#include <irrlicht.h>

#include <map>
#include <string>

namespace tk {

struct RenderTargetInfo {
  irr::video::ITexture* texture = nullptr;
  irr::video::ECOLOR_FORMAT format = irr::video::ECF_A8R8G8B8;
  irr::core::dimension2du size;
  bool ownDepth = false;
  bool mipMaps = false;
};

class RenderTargetRegistry {
 public:
  explicit RenderTargetRegistry(irr::video::IVideoDriver* driver) : driver_(driver) {}

  // Creates a render target with mip-map generation set as asked (restored
  // afterwards) and records it; null on failure. A target it made before
  // under that name is renamed, not removed: the name now finds the new one.
  irr::video::ITexture* create(const std::string& name, irr::core::dimension2du size,
                               irr::video::ECOLOR_FORMAT format, bool ownDepth, bool mipMaps);
  // The render target of that name, or null (also for a texture that is not one).
  const RenderTargetInfo* find(const std::string& name) const;
  // Any texture of the display library with that name.
  irr::video::ITexture* findTexture(const std::string& name) const;
  void clear() { targets_.clear(); }

 private:
  irr::video::IVideoDriver* driver_;
  std::map<std::string, RenderTargetInfo> targets_;
};

}  // namespace tk
