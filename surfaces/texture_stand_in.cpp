#include "surfaces/texture_stand_in.h"

namespace tk {

const ITkTextureStandIn* standInOf(irr::video::ITexture* texture) {
  return dynamic_cast<const ITkTextureStandIn*>(texture);
}

bool isCubeTexture(irr::video::ITexture* texture) {
  const ITkTextureStandIn* standIn = standInOf(texture);
  return standIn && standIn->isCubeTexture();
}

void putInLayer(STkTextureLayer* layer, irr::video::ITexture* texture, uint8_t option) {
  const ITkTextureStandIn* standIn = standInOf(texture);
  layer->texture = standIn ? nullptr : texture;
  layer->engineTexture = standIn ? standIn->getEngineTexture() : nullptr;
  layer->sRGB = option != 0;
}

bool layerIsEmpty(const STkTextureLayer& layer) { return !layer.texture && !layer.engineTexture; }

irr::video::ITexture* displayLibraryTexture(irr::video::ITexture* texture) {
  return standInOf(texture) ? nullptr : texture;
}

}  // namespace tk
