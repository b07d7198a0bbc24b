#include "render/tk_scene_manager.h"

#include <algorithm>

namespace tk {

CTkSceneManager::CTkSceneManager(CTkMaterialContexts* contexts, const irr::scene::IMeshManipulator* manipulator)
    : contexts_(contexts), manipulator_(manipulator) {}

CTkSceneManager::~CTkSceneManager() { releaseNodeExtensions(); }

void CTkSceneManager::registerLight(irr::scene::ILightSceneNode* light) {
  if (std::find(lights_.begin(), lights_.end(), light) == lights_.end()) lights_.push_back(light);
}

void CTkSceneManager::unregisterLight(irr::scene::ILightSceneNode* light) {
  lights_.erase(std::remove(lights_.begin(), lights_.end(), light), lights_.end());
}

CTkSceneNodeExt* CTkSceneManager::getNodeExt(irr::scene::ISceneNode* node) {
  if (!node) return nullptr;
  if (CTkSceneNodeExt* found = findSceneNodeExt(node)) return found;
  STkNodeExtServices services;
  services.contexts = contexts_;
  services.manipulator = manipulator_;
  services.registry = this;
  services.driverExt = driverExt_;
  auto* made = new CTkSceneNodeExt(node, services);
  node->addAnimator(made);
  made->drop();
  return made;
}

void CTkSceneManager::removeNodeExt(irr::scene::ISceneNode* node) {
  CTkSceneNodeExt* extension = findSceneNodeExt(node);
  if (!extension) return;
  extension->clearBackPointers();
  extension->detach();
  node->removeAnimator(extension);
}

ITkSceneNodeExt* CTkSceneManager::findNodeExt(irr::scene::ISceneNode* node) const { return findSceneNodeExt(node); }

ITkSurfaceHost* CTkSceneManager::findSurfaceHost(irr::scene::ISceneNode* node) const {
  return findSceneNodeExt(node);
}

void CTkSceneManager::releaseNodeExtensions() {
  // Each one leaves the set as it lets go.
  while (!extensions_.empty()) (*extensions_.begin())->detach();
}

}  // namespace tk
