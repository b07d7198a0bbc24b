#include "render/renderer.h"

namespace tk {

CTkRendererCtx::CTkRendererCtx(CTkRenderServices* services, const RenderTargetRegistry* textures) {
  if (services) postChain_ = std::make_unique<CTkPostChain>(services, textures);
}

void CTkRendererCtx::setPostEffects(const std::vector<CTkEffect*>& effects) {
  if (postChain_) postChain_->setPostEffects(effects);
}

}  // namespace tk
