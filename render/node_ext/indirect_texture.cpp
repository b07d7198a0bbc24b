#include "render/node_ext/indirect_texture.h"

#include "render/gl/engine_texture.h"

namespace tk {

CTkEngineTexture* CTkIndirectTexture::getEngineTexture() const {
  return probe_ ? probe_->getCubeTexture() : nullptr;
}

bool CTkIndirectTexture::isCubeTexture() const {
  const CTkEngineTexture* shown = getEngineTexture();
  return shown && shown->getKind() == ETK_TEXTURE_CUBE;
}

}  // namespace tk
