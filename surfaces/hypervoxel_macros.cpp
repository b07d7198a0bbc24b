#include "surfaces/hypervoxel_macros.h"

#include "base/log.h"
#include "effects/device_state_codes.h"
#include "surfaces/macro_room.h"

namespace tk {

std::vector<const char*> hyperVoxelMacroNames(const STkHyperVoxelData& data) {
  std::vector<const char*> names;
  if (data.colorTexture) names.push_back("USE_TEX_COLOR");
  if (data.colorKeyCount > 0) names.push_back("USE_COLOR_GRADIENT");
  if (data.sizeKeyCount > 0) names.push_back("USE_SIZE_GRADIENT");
  if (data.rotation != 0) names.push_back("USE_ROTATION");
  static const char* const kBlendMacros[] = {"USE_BLEND_ALPHA", "USE_BLEND_ADD", "USE_BLEND_SUB"};
  if (data.blendMode >= 0 && data.blendMode < 3) names.push_back(kBlendMacros[data.blendMode]);
  return names;
}

int hyperVoxelBaseMaterial(int blendMode) {
  switch (blendMode) {
    case 0: return kBaseMaterialTransparentAlphaChannel;
    case 1: return kBaseMaterialTransparentAddColor;
    case 2: return kBaseMaterialOneTextureBlend;
    default: return kBaseMaterialSolid;
  }
}

bool hyperVoxelCompileParameters(const STkHyperVoxelData& data, int* baseMaterial, ShaderMacroList* macros,
                                 int* capacity) {
  if (!fitMacros(hyperVoxelMacroNames(data), macros, capacity)) {
    log(LOG_ERROR, "CTkSurfaceLightwaveHV::getEffectCompileParameters Not enough space for macros");
    return false;
  }
  *baseMaterial = hyperVoxelBaseMaterial(data.blendMode);
  return true;
}

}  // namespace tk
