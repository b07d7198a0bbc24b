#include "surfaces/surface_samplers.h"

#include <algorithm>

#include "base/log.h"
#include "surfaces/texture_stand_in.h"

namespace tk {
namespace {

bool isSamplerType(int type) { return type >= kParamTexture1D && type <= kParamTextureDepth; }

bool setOnEffect(CTkEffect* effect, int parameter, const STkSamplerTexture& entry) {
  if (const ITkTextureStandIn* standIn = standInOf(entry.texture))
    return effect->setEngineTextureParameter(parameter, standIn->getEngineTexture(), entry.option != 0);
  return effect->setSamplerTexture(parameter, entry.texture, entry.option != 0);
}

bool setOnLayers(const CTkEffect& effect, int technique, int pass, int parameter, STkTextureLayer* layers,
                 const STkSamplerTexture& entry) {
  if (const ITkTextureStandIn* standIn = standInOf(entry.texture))
    return effect.setEngineSamplerTextureOnMaterial(technique, pass, parameter, layers, standIn->getEngineTexture(),
                                                    entry.option != 0);
  return effect.setSamplerTextureOnMaterial(technique, pass, parameter, layers, entry.texture, entry.option != 0);
}

}  // namespace

std::vector<int> samplerParametersNamed(const CTkEffect& effect, const std::vector<std::string>& semantics) {
  std::vector<int> found;
  for (int i = 0; i < effect.parameterCount(); ++i) {
    const SParameter* description = effect.getParameter(i);
    if (description && isSamplerType(description->type) &&
        std::find(semantics.begin(), semantics.end(), description->semantic) != semantics.end())
      found.push_back(i);
  }
  return found;
}

bool putTexturesOnEffect(const std::vector<STkSamplerTexture>& textures, CTkEffect* effect,
                         const char* surfaceClass) {
  if (!effect) return false;
  for (const STkSamplerTexture& entry : textures)
    for (int parameter : samplerParametersNamed(*effect, entry.semantics))
      if (!setOnEffect(effect, parameter, entry)) {
        log(LOG_ERROR, "%s::setEffectTextures setSamplerTexture failed for %s", surfaceClass,
            effect->getParameter(parameter)->semantic.c_str());
        return false;
      }
  return true;
}

bool putTexturesOnMaterial(const std::vector<STkSamplerTexture>& textures, irr::video::ITexture* fallback,
                           uint8_t fallbackOption, STkMaterial* material, const CTkEffect* effect, int technique,
                           int pass, const char* surfaceClass) {
  if (!material || !effect) return false;
  STkTextureLayer layers[kPixelLayerCount + kVertexLayerCount];
  std::copy(std::begin(material->pixelLayers), std::end(material->pixelLayers), layers);
  std::copy(std::begin(material->vertexLayers), std::end(material->vertexLayers), layers + kPixelLayerCount);
  for (const STkSamplerTexture& entry : textures)
    for (int parameter : samplerParametersNamed(*effect, entry.semantics))
      if (!setOnLayers(*effect, technique, pass, parameter, layers, entry)) {
        log(LOG_ERROR, "%s::setEffectTextureOnMaterial setSamplerTextureOnMaterial failed for %s", surfaceClass,
            effect->getParameter(parameter)->semantic.c_str());
        return false;
      }
  std::copy(layers, layers + kPixelLayerCount, material->pixelLayers);
  std::copy(layers + kPixelLayerCount, std::end(layers), material->vertexLayers);
  if (layerIsEmpty(material->pixelLayers[0])) putInLayer(&material->pixelLayers[0], fallback, fallbackOption);
  return true;
}

}  // namespace tk
