#include "effects/runtime/texture_resolver.h"

#include "base/files/file_layer.h"
#include "effects/definitions/effect_def.h"

namespace tk {

irr::video::ITexture* CTkEffectTextureResolver::resolveTexture(int type, const std::string& semantic,
                                                               const std::string& imageReference,
                                                               const std::string& effectDirectory,
                                                               const std::vector<std::string>& textureDirectories,
                                                               bool* failed) {
  *failed = false;
  if (!semantic.empty()) return driver_->findTexture(semantic.c_str());
  if (imageReference.empty()) return nullptr;
  size_t scheme = imageReference.find("file://");
  const std::string reference = scheme == std::string::npos ? imageReference : imageReference.substr(scheme + 7);
  if (reference.empty()) return nullptr;
  std::vector<std::string> candidates = {reference, effectDirectory + "/" + reference};
  for (const std::string& directory : textureDirectories) candidates.push_back(directory + "/" + reference);
  for (const std::string& candidate : candidates)
    if (fileExists(candidate.c_str())) return loadByType(type, candidate, failed);
  *failed = true;
  return nullptr;
}

// Rectangle and depth textures are never loaded from files. Volume and cube
// textures are engine-owned and reach effects through their own setter.
irr::video::ITexture* CTkEffectTextureResolver::loadByType(int type, const std::string& path, bool* failed) {
  if (type == kParamTextureRect || type == kParamTextureDepth) return nullptr;
  irr::video::ITexture* texture = nullptr;
  if (type == kParamTexture1D || type == kParamTexture2D) texture = driver_->getTexture(path.c_str());
  if (!texture) *failed = true;
  return texture;
}

}  // namespace tk
