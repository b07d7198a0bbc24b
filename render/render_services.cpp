#include "render/render_services.h"

namespace tk {
namespace {

bool isLightOrCamera(const irr::scene::ISceneNode* node) {
  irr::scene::ESCENE_NODE_TYPE type = node->getType();
  return type == irr::scene::ESNT_LIGHT || type == irr::scene::ESNT_CAMERA ||
         type == irr::scene::ESNT_CAMERA_FPS || type == irr::scene::ESNT_CAMERA_MAYA;
}

void walkVisible(irr::scene::ISceneNode* node, bool topLevel, std::vector<irr::scene::ISceneNode*>* out) {
  if (!node->isVisible()) return;
  bool lightOrCamera = isLightOrCamera(node);
  if (lightOrCamera && !topLevel) return;
  if (!lightOrCamera) out->push_back(node);
  for (irr::scene::ISceneNode* child : node->getChildren()) walkVisible(child, false, out);
}

}  // namespace

void CTkRenderServices::setRenderTargets(irr::video::ITexture* const* textures, int count) {
  irr::video::IVideoDriver* driver = device_->getVideoDriver();
  if (count <= 0 || !textures || !textures[0]) {
    driver->setRenderTarget(irr::video::ERT_FRAME_BUFFER, false, false);
    return;
  }
  targets_.set_used(0);
  for (int i = 0; i < count; ++i)
    if (textures[i])
      targets_.push_back(irr::video::IRenderTarget(textures[i], irr::video::ECP_ALL, irr::video::EBF_ONE,
                                                   irr::video::EBF_ZERO, irr::video::EBO_NONE));
  driver->setRenderTarget(targets_, false, false);
}

void CTkRenderServices::copyTexture(irr::video::ITexture* texture) {
  if (!texture) return;
  irr::video::IVideoDriver* driver = device_->getVideoDriver();
  irr::core::dimension2du target = driver->getCurrentRenderTargetSize();
  irr::core::dimension2du source = texture->getOriginalSize();
  driver->draw2DImage(texture, irr::core::recti(0, 0, target.Width, target.Height),
                      irr::core::recti(0, 0, source.Width, source.Height), nullptr, nullptr, false);
}

void CTkRenderServices::collectVisibleNodes(std::vector<irr::scene::ISceneNode*>* out) const {
  out->clear();
  irr::scene::ISceneNode* root = device_->getSceneManager()->getRootSceneNode();
  for (irr::scene::ISceneNode* child : root->getChildren()) walkVisible(child, true, out);
}

void CTkRenderServices::drawDebugBox(const irr::core::aabbox3df& box) {
  irr::video::IVideoDriver* driver = device_->getVideoDriver();
  irr::video::SMaterial material;
  material.Lighting = false;
  material.AntiAliasing = irr::video::EAAM_OFF;
  driver->setMaterial(material);
  driver->setTransform(irr::video::ETS_WORLD, irr::core::IdentityMatrix);
  driver->draw3DBox(box, irr::video::SColor(255, 255, 255, 255));
}

}  // namespace tk
