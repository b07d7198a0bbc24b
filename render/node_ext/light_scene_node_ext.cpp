#include "render/node_ext/light_scene_node_ext.h"

namespace tk {

CTkLightSceneNodeExt::~CTkLightSceneNodeExt() { setProjectedImage(nullptr); }

void CTkLightSceneNodeExt::setProjectedImage(irr::video::ITexture* image) {
  if (image) image->grab();
  if (projectedImage_) projectedImage_->drop();
  projectedImage_ = image;
}

irr::scene::ISceneNodeAnimator* CTkLightSceneNodeExt::createClone(irr::scene::ISceneNode*,
                                                                  irr::scene::ISceneManager*) {
  auto* copy = new CTkLightSceneNodeExt();
  copy->params_ = params_;
  copy->setProjectedImage(projectedImage_);
  return copy;
}

CTkLightSceneNodeExt* lightExtensionOf(const irr::scene::ISceneNode* node) {
  if (!node) return nullptr;
  for (irr::scene::ISceneNodeAnimator* animator : node->getAnimators())
    if (animator->getType() == kLightExtAnimatorType) return static_cast<CTkLightSceneNodeExt*>(animator);
  return nullptr;
}

CTkLightSceneNodeExt* attachLightExtension(irr::scene::ILightSceneNode* light) {
  if (!light) return nullptr;
  if (CTkLightSceneNodeExt* existing = lightExtensionOf(light)) return existing;
  auto* extension = new CTkLightSceneNodeExt();
  light->addAnimator(extension);
  extension->drop();
  return extension;
}

}  // namespace tk
