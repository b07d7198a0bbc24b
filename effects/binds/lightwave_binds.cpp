#include "effects/binds/lightwave_binds.h"

#include <cmath>

#include "base/log.h"
#include "effects/binds/bind_helpers.h"
#include "effects/binds/drawn_node_ext.h"
#include "effects/definitions/effect_def.h"
#include "effects/definitions/tesk_header_tables.h"
#include "effects/runtime/effect_material.h"

namespace tk {
namespace {

float clampUnit(float value) { return value < 0 ? 0 : (value > 1 ? 1 : value); }

// The index of the surface parameter spelled exactly `name`, or -1.
int surfaceParameterIndex(const std::string& name) {
  const char* spelling = teskSurfaceParameter(name);
  if (!spelling || name != spelling) return -1;
  return teskSurfaceParameterId(name) - 0x10000;
}

const ITkSurfaceView* surfaceOf(ITkEffectBind* bind) {
  return static_cast<CTkEffectBindSurface*>(bind)->currentSurface();
}

}  // namespace

bool CTkEffectBindSurface::onSetMaterial(const STkMaterialContext* context) {
  surface_ = nullptr;
  ITkSceneNodeExt* extension = drawnNodeExt(context, environment_.nodeExtensions, bindName_);
  if (!extension) return false;
  const ITkSurfaceView* surface = extension->getSurface(context->materialIndex);
  if (!surface) {
    log(LOG_ERROR, "%s::onSetMaterial : Missing Surface at index %d", bindName_, context->materialIndex);
    return false;
  }
  if (surface->getType() != surfaceType_) {
    log(LOG_ERROR, "%s::onSetMaterial : Unexpected Surface type != %s at index %d", bindName_, typeName_,
        context->materialIndex);
    return false;
  }
  surface_ = surface;
  setBlendFactorInTransparentPasses(*surface);
  return true;
}

void CTkEffectBindSurface::setBlendFactorInTransparentPasses(const ITkSurfaceView& surface) const {
  if (!environment_.device || !environment_.videoDriverExt) return;
  // A node list keeps its pass in the engine's scene manager; the display
  // library's own drawing has its pass in its scene manager.
  irr::scene::E_SCENE_NODE_RENDER_PASS pass = environment_.sceneManager
                                                  ? environment_.sceneManager->currentRenderPass()
                                                  : irr::scene::ESNRP_NONE;
  if (pass == irr::scene::ESNRP_NONE) pass = environment_.device->getSceneManager()->getSceneNodeRenderPass();
  if (pass != irr::scene::ESNRP_TRANSPARENT && pass != irr::scene::ESNRP_TRANSPARENT_EFFECT) return;
  const irr::u32 alpha = static_cast<irr::u32>(clampUnit(blendAlpha(surface)) * 255.0f);
  environment_.videoDriverExt->setBlendFactor(irr::video::SColor(alpha, 0, 0, 0));
}

// LightWave surface.

STkBindResult CTkEffectBindLightwave::getBindFunction(const STkFxConstBind& constant, int privateData[2]) {
  if (constant.semantic == "LW_Roughness") return bindAnswer(uploadRoughness);
  if (constant.semantic == "LW_ReflectionMaxMip") return bindAnswer(uploadReflectionMaxMip);
  if (constant.semantic.compare(0, 3, "LW_") != 0) return STkBindResult();
  const int index = surfaceParameterIndex(constant.semantic.substr(3));
  if (index < 0) return STkBindResult();
  privateData[0] = index;
  switch (constant.type) {
    case kParamBool:
    case kParamInt: return bindAnswer(uploadInt);
    case kParamFloat: return bindAnswer(uploadFloat);
    case kParamFloat3: return bindAnswer(uploadVector);
    default: return STkBindResult();
  }
}

float CTkEffectBindLightwave::blendAlpha(const ITkSurfaceView& surface) const {
  return surface.getFloat(kSurfaceGlowValue);
}

void CTkEffectBindLightwave::uploadInt(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                       const STkFxConstBind& constant, const int privateData[2]) {
  if (const ITkSurfaceView* surface = surfaceOf(bind))
    uploadScalar(services, constant, static_cast<float>(surface->getInt(privateData[0])));
}

void CTkEffectBindLightwave::uploadFloat(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                         const STkFxConstBind& constant, const int privateData[2]) {
  if (const ITkSurfaceView* surface = surfaceOf(bind))
    uploadScalar(services, constant, surface->getFloat(privateData[0]));
}

void CTkEffectBindLightwave::uploadVector(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                          const STkFxConstBind& constant, const int privateData[2]) {
  if (const ITkSurfaceView* surface = surfaceOf(bind))
    uploadVector3(services, constant, surface->getVector(privateData[0]));
}

void CTkEffectBindLightwave::uploadRoughness(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                             const STkFxConstBind& constant, const int*) {
  if (const ITkSurfaceView* surface = surfaceOf(bind))
    uploadScalar(services, constant, std::pow(2.0f, surface->getFloat(kSurfaceGlossiness) * 10.0f + 2.0f));
}

void CTkEffectBindLightwave::uploadReflectionMaxMip(ITkEffectBind* bind,
                                                    irr::video::IMaterialRendererServices* services,
                                                    const STkFxConstBind& constant, const int*) {
  const ITkSurfaceView* surface = surfaceOf(bind);
  if (!surface) return;
  int level = 1;
  if (irr::video::ITexture* image = surface->getTexture(kSurfaceReflectionImage)) {
    const int highest = highestMipLevel(image->getSize());
    if (highest > 1) level = highest;
  }
  uploadScalar(services, constant, static_cast<float>(level));
}

// HyperVoxel surface.

namespace {

enum : int {
  kHvColor,
  kHvSize,
  kHvRotation,
  kHvColorNumKeys,
  kHvColorKeyParams,
  kHvColorKeyValues,
  kHvSizeNumKeys,
  kHvSizeKeyParams,
  kHvSizeKeyValues,
};

const char* const kHyperVoxelSemantics[] = {
    "LWHV_Color",          "LWHV_Size",        "LWHV_Rotation",      "LWHV_ColorNumKeys",  "LWHV_ColorKeyParams",
    "LWHV_ColorKeyValues", "LWHV_SizeNumKeys", "LWHV_SizeKeyParams", "LWHV_SizeKeyValues",
};

}  // namespace

STkBindResult CTkEffectBindLightwaveHV::getBindFunction(const STkFxConstBind& constant, int privateData[2]) {
  for (int row = 0; row <= kHvSizeKeyValues; ++row) {
    if (constant.semantic != kHyperVoxelSemantics[row]) continue;
    privateData[0] = row;
    return bindAnswer(upload);
  }
  return STkBindResult();
}

float CTkEffectBindLightwaveHV::blendAlpha(const ITkSurfaceView& surface) const {
  const STkHyperVoxelData* data = surface.getHyperVoxelData();
  return data ? data->opacity : 0.0f;
}

void CTkEffectBindLightwaveHV::upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                      const STkFxConstBind& constant, const int privateData[2]) {
  const ITkSurfaceView* surface = surfaceOf(bind);
  const STkHyperVoxelData* data = surface ? surface->getHyperVoxelData() : nullptr;
  if (!data) return;
  switch (privateData[0]) {
    case kHvColor: uploadByName(services, constant, data->color, 4); break;
    case kHvSize: uploadScalar(services, constant, data->size); break;
    case kHvRotation: uploadScalar(services, constant, data->rotation); break;
    case kHvColorNumKeys: uploadScalar(services, constant, static_cast<float>(data->colorKeyCount)); break;
    case kHvColorKeyParams: uploadByName(services, constant, data->colorKeyPositions, 8); break;
    case kHvColorKeyValues: uploadByName(services, constant, data->colorKeyColors, 36); break;
    case kHvSizeNumKeys: uploadScalar(services, constant, static_cast<float>(data->sizeKeyCount)); break;
    case kHvSizeKeyParams: uploadByName(services, constant, data->sizeKeyPositions, 8); break;
    case kHvSizeKeyValues:
      uploadByName(services, constant, data->sizeKeyValues, constant.stage == kStageVertex ? 9 : 8);
      break;
    default: break;
  }
}

}  // namespace tk
