#include "surfaces/lightwave_samplers.h"

#include "surfaces/lightwave_parameters.h"

namespace tk {

std::vector<STkSamplerTexture> lightwaveSamplerTextures(const ITkSurface& surface) {
  static const int kSampled[] = {kLwBaseColor,    kLwLuminosity,  kLwDiffuse, kLwSpecularity,
                                 kLwReflectivity, kLwTransparency, kLwTranslucency, kLwIOR,
                                 kLwBump,         kLwGlossiness,  kLwReflectionImage, kLwRefractionImage};
  std::vector<STkSamplerTexture> textures;
  for (int index : kSampled) {
    STkSamplerTexture entry;
    entry.semantics = {std::string("LW_Tex_") + kSurfaceParameterNames[index]};
    // Effect files name the index of refraction's texture after its channel.
    if (index == kLwIOR) entry.semantics.push_back("LW_Tex_RefractionIndex");
    entry.texture = surface.getTexture(index);
    entry.option = surface.getTextureOption(index);
    textures.push_back(entry);
  }
  return textures;
}

}  // namespace tk
