#include "render/renderer.h"

namespace tk {

CTkRendererSimple::CTkRendererSimple(irr::IrrlichtDevice* device, ITkRendererCtx* ctx) : device_(device), ctx_(ctx) {
  ctx_->grab();
}

CTkRendererSimple::~CTkRendererSimple() { ctx_->drop(); }

void CTkRendererSimple::render() {
  irr::video::IVideoDriver* driver = device_->getVideoDriver();
  driver->setRenderTarget(irr::video::ERT_FRAME_BUFFER, true, true,
                          irr::video::SColor(ctx_->getFrameSettings().backgroundColor));
  device_->getSceneManager()->drawAll();
}

}  // namespace tk
