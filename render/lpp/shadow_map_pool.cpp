#include "render/lpp/shadow_map_pool.h"

#include "render/node_ext/light_scene_node_ext.h"

namespace tk {

void CTkShadowMapPool::setMaps(const std::vector<irr::video::ITexture*>& maps,
                               const std::vector<irr::u32>& heights) {
  maps_ = maps;
  entries_.clear();
  for (size_t i = 0; i < maps.size(); ++i) entries_.push_back(Entry{maps[i], i < heights.size() ? heights[i] : 0});
}

void CTkShadowMapPool::freeAll() {
  for (Entry& entry : entries_) entry.user = nullptr;
}

bool CTkShadowMapPool::reserved(const Entry& entry) const {
  const CTkLightSceneNodeExt* extension = lightExtensionOf(entry.user);
  return extension && extension->params().volumetric;
}

int CTkShadowMapPool::walk(int size, bool honourReservations) const {
  const int count = static_cast<int>(entries_.size());
  for (int i = 0; i < count; ++i) {
    if (honourReservations && reserved(entries_[i])) continue;
    if (i == count - 1) return i;
    const long long height = entries_[i].height;
    const long long nextHeight = entries_[i + 1].height;
    if (size == height || size < nextHeight) return i;
  }
  return -1;
}

int CTkShadowMapPool::pick(int size) const {
  if (entries_.empty()) return -1;
  int index = walk(size, true);
  if (index < 0) index = walk(size, false);
  return index < 0 ? static_cast<int>(entries_.size()) - 1 : index;
}

irr::video::ITexture* CTkShadowMapPool::map(int index) const {
  return index >= 0 && index < static_cast<int>(entries_.size()) ? entries_[index].map : nullptr;
}

irr::scene::ILightSceneNode* CTkShadowMapPool::user(int index) const {
  return index >= 0 && index < static_cast<int>(entries_.size()) ? entries_[index].user : nullptr;
}

void CTkShadowMapPool::setUser(int index, irr::scene::ILightSceneNode* light) {
  if (index >= 0 && index < static_cast<int>(entries_.size())) entries_[index].user = light;
}

irr::video::ITexture* CTkShadowMapPool::mapOf(const irr::scene::ILightSceneNode* light) const {
  for (const Entry& entry : entries_)
    if (light && entry.user == light) return entry.map;
  return nullptr;
}

}  // namespace tk
