#include "effects/binds/material_bind.h"

#include "effects/binds/bind_helpers.h"
#include "effects/definitions/effect_def.h"
#include "effects/runtime/effect_material.h"

namespace tk {
namespace {

enum : int { kTextureSize, kTextureMipCount };

}  // namespace

bool CTkEffectBindMaterial::onSetMaterial(const STkMaterialContext* context) {
  material_ = context ? context->material : nullptr;
  return true;
}

STkBindResult CTkEffectBindMaterial::getBindFunction(const STkFxConstBind& constant, int privateData[2]) {
  int layerCount = 0;
  if (constant.stage == kStagePixel)
    layerCount = kPixelLayerCount;
  else if (constant.stage == kStageVertex)
    layerCount = kVertexLayerCount;
  int layer = 0;
  std::string member;
  if (!parseIndexedMember(constant.semantic, "Texture[", "].", &layer, &member) || layer >= layerCount)
    return STkBindResult();
  if (member == "Size")
    privateData[1] = kTextureSize;
  else if (member == "NumMips")
    privateData[1] = kTextureMipCount;
  else
    return STkBindResult();
  privateData[0] = layer;
  return bindAnswer(upload);
}

// An empty layer (or no material) reads as size (0, 0) with no mip levels.
void CTkEffectBindMaterial::upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                   const STkFxConstBind& constant, const int privateData[2]) {
  const STkMaterial* material = static_cast<CTkEffectBindMaterial*>(bind)->material_;
  irr::video::ITexture* texture = nullptr;
  if (material) {
    const STkTextureLayer* layers = constant.stage == kStageVertex ? material->vertexLayers : material->pixelLayers;
    texture = layers[privateData[0]].texture;
  }
  const irr::core::dimension2du size = texture ? texture->getSize() : irr::core::dimension2du(0, 0);
  if (privateData[1] == kTextureSize) {
    const float values[2] = {static_cast<float>(size.Width), static_cast<float>(size.Height)};
    uploadByName(services, constant, values, 2);
  } else {
    uploadScalar(services, constant, texture ? static_cast<float>(highestMipLevel(size) + 1) : 0.0f);
  }
}

}  // namespace tk
