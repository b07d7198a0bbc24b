#include "render/tk_scene_manager.h"

#include <algorithm>

namespace tk {

void CTkSceneManager::registerLight(irr::scene::ILightSceneNode* light) {
  if (std::find(lights_.begin(), lights_.end(), light) == lights_.end()) lights_.push_back(light);
}

void CTkSceneManager::unregisterLight(irr::scene::ILightSceneNode* light) {
  lights_.erase(std::remove(lights_.begin(), lights_.end(), light), lights_.end());
}

}  // namespace tk
