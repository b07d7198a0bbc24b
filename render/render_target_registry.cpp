#include "render/render_target_registry.h"

namespace tk {

irr::video::ITexture* RenderTargetRegistry::create(const std::string& name, irr::core::dimension2du size,
                                                   irr::video::ECOLOR_FORMAT format, bool ownDepth,
                                                   bool mipMaps) {
  // A target made again under its name replaces the old one for lookups by
  // name (effects find their preset textures through the display library):
  // the old one keeps living for whoever holds it, under another name.
  if (const RenderTargetInfo* old = find(name))
    driver_->renameTexture(old->texture, (name + " (replaced)").c_str());
  bool mipSetting = driver_->getTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS);
  driver_->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, mipMaps);
  irr::video::ITexture* texture = driver_->addRenderTargetTexture(size, name.c_str(), format);
  // The null driver makes no render targets; a plain texture stands in (the
  // registry keeps the format asked for), so that names, sizes and formats
  // behave the same without a display.
  if (!texture && driver_->getDriverType() == irr::video::EDT_NULL)
    texture = driver_->addTexture(size, name.c_str(), irr::video::ECF_A8R8G8B8);
  driver_->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, mipSetting);
  if (!texture) return nullptr;
  targets_[name] = RenderTargetInfo{texture, format, size, ownDepth, mipMaps};
  return texture;
}

const RenderTargetInfo* RenderTargetRegistry::find(const std::string& name) const {
  auto it = targets_.find(name);
  return it == targets_.end() ? nullptr : &it->second;
}

irr::video::ITexture* RenderTargetRegistry::findTexture(const std::string& name) const {
  if (const RenderTargetInfo* info = find(name)) return info->texture;
  return driver_->findTexture(name.c_str());
}

}  // namespace tk
