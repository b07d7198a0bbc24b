#include "render/renderer.h"

#include "render/render_services.h"

namespace tk {

CTkRendererSimple::CTkRendererSimple(irr::IrrlichtDevice* device, ITkRendererCtx* ctx) : device_(device), ctx_(ctx) {
  ctx_->grab();
}

CTkRendererSimple::~CTkRendererSimple() {
  releasePostTargets();
  ctx_->drop();
}

void CTkRendererSimple::render() {
  CTkPostChain* chain = ctx_->getPostChain();
  if (!chain || chain->empty() || !makePostTargets()) {
    drawScene(nullptr);
    return;
  }
  drawScene(postSource_);
  irr::video::ITexture* result = chain->render(nullptr, postSource_, postWork_, nullptr, false, false);
  CTkRenderServices* services = chain->renderServices();
  services->setRenderTargets(nullptr, 0);
  services->copyTexture(result);
}

// Into the target, or the screen when none.
void CTkRendererSimple::drawScene(irr::video::ITexture* target) {
  irr::video::IVideoDriver* driver = device_->getVideoDriver();
  irr::video::SColor background(ctx_->getFrameSettings().backgroundColor);
  if (target) driver->setRenderTarget(target, true, true, background);
  else driver->setRenderTarget(irr::video::ERT_FRAME_BUFFER, true, true, background);
  device_->getSceneManager()->drawAll();
}

// The two screen-sized buffers of the chain, made again when the screen size
// changes; false when the driver makes no render targets.
bool CTkRendererSimple::makePostTargets() {
  irr::video::IVideoDriver* driver = device_->getVideoDriver();
  const irr::core::dimension2du size = driver->getScreenSize();
  if (postSource_ && postSource_->getOriginalSize() == size) return true;
  releasePostTargets();
  postSource_ = driver->addRenderTargetTexture(size, "PostSource", irr::video::ECF_A8R8G8B8);
  postWork_ = driver->addRenderTargetTexture(size, "PostWork", irr::video::ECF_A8R8G8B8);
  if (postSource_ && postWork_) return true;
  releasePostTargets();
  return false;
}

void CTkRendererSimple::releasePostTargets() {
  irr::video::IVideoDriver* driver = device_->getVideoDriver();
  if (postSource_) driver->removeTexture(postSource_);
  if (postWork_) driver->removeTexture(postWork_);
  postSource_ = postWork_ = nullptr;
}

}  // namespace tk
