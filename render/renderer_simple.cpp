#include "render/renderer.h"

#include "base/log.h"
#include "render/render_services.h"
#include "surfaces/macro_room.h"

namespace tk {

CTkRendererSimple::CTkRendererSimple(irr::IrrlichtDevice* device, ITkRendererCtx* ctx) : device_(device), ctx_(ctx) {
  ctx_->grab();
}

CTkRendererSimple::~CTkRendererSimple() {
  releasePostTargets();
  ctx_->drop();
}

void CTkRendererSimple::render(irr::video::ITexture* display) {
  CTkPostChain* chain = ctx_->getPostChain();
  if (!chain || chain->empty() || !makePostTargets()) {
    drawScene(display);
    return;
  }
  drawScene(postSource_);
  irr::video::ITexture* result = chain->render(nullptr, postSource_, postWork_, nullptr, false, false);
  chain->renderServices()->copyTextureInto(display, result);
}

bool CTkRendererSimple::getMaterialEffect(std::string* file, ShaderMacroList*, int* capacity, int) {
  file->clear();
  *capacity = 0;
  return true;
}

bool lightPrePassMaterialEffect(const char* rendererName, std::string* file, ShaderMacroList* macros, int* capacity,
                                int materialType) {
  if (!fitMacros({"USE_OUTDEPTH"}, macros, capacity)) {
    log(LOG_ERROR, "%s::getMaterialEffect not enough space for macros", rendererName);
    return false;
  }
  const bool blending = materialType >= irr::video::EMT_TRANSPARENT_ADD_COLOR &&
                        materialType <= irr::video::EMT_TRANSPARENT_VERTEX_ALPHA;
  *file = blending ? "Forward.hlsl" : "Lpp.hlsl";
  return true;
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
