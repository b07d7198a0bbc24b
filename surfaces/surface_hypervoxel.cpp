#include "surfaces/surface_hypervoxel.h"

#include "effects/device_state_codes.h"
#include "surfaces/hypervoxel_macros.h"
#include "surfaces/surface_samplers.h"
#include "surfaces/texture_stand_in.h"

namespace tk {
namespace {

enum : int { kBlendAlpha = 0, kBlendAdditive = 1, kBlendSubtractive = 2 };

int blendModeOf(irr::video::E_MATERIAL_TYPE type) {
  switch (static_cast<int>(type)) {
    case kBaseMaterialTransparentAlphaChannel: return kBlendAlpha;
    case kBaseMaterialOneTextureBlend: return kBlendSubtractive;
    default: return kBlendAdditive;
  }
}

std::vector<STkSamplerTexture> clipSampler(irr::video::ITexture* clip) {
  STkSamplerTexture entry;
  entry.semantics = {"LWHV_Tex_Clip"};
  entry.texture = clip;
  return {entry};
}

}  // namespace

CTkSurfaceLightwaveHV::~CTkSurfaceLightwaveHV() { setClipImage(nullptr); }

void CTkSurfaceLightwaveHV::setClipImage(irr::video::ITexture* image) {
  if (image == clip_) return;
  if (image) image->grab();
  if (clip_) clip_->drop();
  clip_ = image;
}

void CTkSurfaceLightwaveHV::setData(const void* data) {
  if (data) data_ = *static_cast<const STkHyperVoxelData*>(data);
}

ITkSurface* CTkSurfaceLightwaveHV::clone() const {
  auto* copy = new CTkSurfaceLightwaveHV();
  copy->data_ = data_;
  copy->setClipImage(clip_);
  return copy;
}

// An image is used for colour only when there is one: a particle without
// image keeps its flat colour instead of sampling nothing.
void CTkSurfaceLightwaveHV::initFromMaterial(const STkMaterial& material) {
  irr::video::ITexture* image = material.base.TextureLayer[0].Texture;
  setClipImage(image);
  data_.colorTexture = image ? 1 : 0;
  data_.blendMode = blendModeOf(material.base.MaterialType);
}

void CTkSurfaceLightwaveHV::applyToMaterial(STkMaterial* material) const {
  if (!material) return;
  material->base.TextureLayer[0].Texture = displayLibraryTexture(clip_);
  putInLayer(&material->pixelLayers[0], clip_, 0);
  material->base.MaterialType = static_cast<irr::video::E_MATERIAL_TYPE>(hyperVoxelBaseMaterial(data_.blendMode));
}

bool CTkSurfaceLightwaveHV::getEffectCompileParameters(int* baseMaterial, ShaderMacroList* macros, int* capacity,
                                                       irr::scene::ISceneNode*, const ITkSurfaceHostLookup*) const {
  return hyperVoxelCompileParameters(data_, baseMaterial, macros, capacity);
}

bool CTkSurfaceLightwaveHV::setEffectTextures(CTkEffect* effect) const {
  return putTexturesOnEffect(clipSampler(clip_), effect, "CTkSurfaceLightwaveHV");
}

bool CTkSurfaceLightwaveHV::setEffectTextureOnMaterial(STkMaterial* material, const CTkEffect* effect, int technique,
                                                       int pass) const {
  return putTexturesOnMaterial(clipSampler(clip_), clip_, 0, material, effect, technique, pass,
                               "CTkSurfaceLightwaveHV");
}

}  // namespace tk
