#include "surfaces/lightwave_macros.h"

#include <cstddef>
#include <utility>

#include "base/log.h"
#include "effects/device_state_codes.h"
#include "surfaces/lightwave_parameters.h"
#include "surfaces/macro_room.h"
#include "surfaces/texture_stand_in.h"

namespace tk {
namespace {

struct MacroBit {
  uint32_t bit;
  const char* name;
};

constexpr MacroBit kMacroBits[] = {
    {kLwMacroTexColor, "USE_TEX_COLOR"},
    {kLwMacroTexLuminosity, "USE_TEX_LUMINOSITY"},
    {kLwMacroTexDiffuse, "USE_TEX_DIFFUSE"},
    {kLwMacroTexSpecular, "USE_TEX_SPECULAR"},
    {kLwMacroTexGlossiness, "USE_TEX_GLOSSINESS"},
    {kLwMacroTexReflectionImage, "USE_TEX_REFLECIMG"},
    {kLwMacroTexReflectivity, "USE_TEX_REFLECTIVITY"},
    {kLwMacroTexTransparency, "USE_TEX_TRANSPARENCY"},
    {kLwMacroTexTranslucency, "USE_TEX_TRANSLUCENCY"},
    {kLwMacroTexNormal, "USE_TEX_NORMAL"},
    {kLwMacroTransparent, "USE_TRANSPARENT"},
    {kLwMacroTranslucency, "USE_TRANSLUCENCY"},
    {kLwMacroTexReflectionCube, "USE_TEX_REFLECCUBE"},
    {kLwMacroComputeTangents, "USE_COMPTANGENT"},
    {kLwMacroUV2, "USE_UV2"},
    {kLwMacroUV2InTexCoord2, "USE_UV2INTEX2"},
    {0x10000, "USE_UV2_TEX_COLOR"},
    {0x20000, "USE_UV2_TEX_LUMINOSITY"},
    {0x40000, "USE_UV2_TEX_DIFFUSE"},
    {0x80000, "USE_UV2_TEX_SPECULAR"},
    {0x100000, "USE_UV2_TEX_GLOSSINESS"},
    {0x200000, "USE_UV2_TEX_REFLECTIVITY"},
    {0x400000, "USE_UV2_TEX_TRANSPARENCY"},
    {0x800000, "USE_UV2_TEX_TRANSLUCENCY"},
    {0x1000000, "USE_UV2_TEX_NORMAL"},
    {kLwMacroCubeMapBox, "USE_CUBEMAPAABB"},
    {kLwMacroNodeCubeMap, "USE_NODECUBEMAP"},
};

constexpr bool lowestBitFirst() {
  for (size_t i = 1; i < sizeof kMacroBits / sizeof kMacroBits[0]; ++i)
    if (kMacroBits[i - 1].bit >= kMacroBits[i].bit) return false;
  return true;
}
static_assert(lowestBitFirst(), "macros are added from the lowest bit up");

// A mesh buffer's second-UV texture mask bit and the macro bit it sets.
constexpr std::pair<uint32_t, uint32_t> kSecondUVBits[] = {
    {0x1, 0x10000},  {0x4, 0x20000},  {0x2, 0x40000},  {0x8, 0x80000},   {0x100, 0x100000},
    {0x10, 0x200000}, {0x20, 0x400000}, {0x80, 0x800000}, {0x40, 0x1000000},
};

bool hasTexture(const ITkSurface& surface, int index) { return surface.getTexture(index) != nullptr; }

uint32_t textureBits(const ITkSurface& surface) {
  uint32_t bits = 0;
  if (hasTexture(surface, kLwBaseColor)) bits |= kLwMacroTexColor;
  if (hasTexture(surface, kLwLuminosity)) bits |= kLwMacroTexLuminosity;
  if (hasTexture(surface, kLwDiffuse)) bits |= kLwMacroTexDiffuse;
  if (hasTexture(surface, kLwSpecularity)) bits |= kLwMacroTexSpecular;
  if (hasTexture(surface, kLwGlossiness)) bits |= kLwMacroTexGlossiness;
  if (hasTexture(surface, kLwTransparency)) bits |= kLwMacroTexTransparency;
  if (hasTexture(surface, kLwTranslucency)) bits |= kLwMacroTexTranslucency;
  if (hasTexture(surface, kLwBump)) bits |= kLwMacroTexNormal;
  if (hasTexture(surface, kLwTransparency) || surface.getFloat(kLwTransparency) != 0) bits |= kLwMacroTransparent;
  if (hasTexture(surface, kLwTranslucency) || surface.getFloat(kLwTranslucency) != 0) bits |= kLwMacroTranslucency;
  return bits;
}

// The reflection image counts only from reflection option 2 (ray tracing
// and image) up.
uint32_t reflectionBits(const ITkSurface& surface) {
  irr::video::ITexture* image = surface.getTexture(kLwReflectionImage);
  if (!image || surface.getInt(kLwReflectionOptions) < 2) return 0;
  uint32_t bits = kLwMacroTexReflectionImage;
  if (hasTexture(surface, kLwReflectivity)) bits |= kLwMacroTexReflectivity;
  if (isCubeTexture(image)) bits |= kLwMacroTexReflectionCube;
  return bits;
}

// The mask of the mesh buffer drawn with this surface: none when the surface
// is not one of the extension's, or when no mesh buffer has its index.
uint32_t secondUVBits(const ITkSurface& surface, const ITkSurfaceHost& host) {
  const int index = host.getSurfaceIndex(&surface);
  int value = 0;
  irr::u32 mask = 0;
  if (index < 0 || !host.getBufferUV2Info(index, &value, &mask)) return 0;
  uint32_t bits = 0;
  for (const auto& [maskBit, macroBit] : kSecondUVBits)
    if (mask & maskBit) bits |= macroBit;
  return bits;
}

uint32_t hostBits(const ITkSurface& surface, ITkSurfaceHost& host, bool tangents) {
  uint32_t bits = 0;
  const bool uv2 = host.hasUV2();
  if (uv2) bits |= kLwMacroUV2;
  if (uv2 && tangents) bits |= kLwMacroUV2InTexCoord2;
  bits |= secondUVBits(surface, host);
  irr::video::ITexture* image = surface.getTexture(kLwReflectionImage);
  if (image && host.isNodeCubeMapTexture(image)) {
    bits |= kLwMacroNodeCubeMap;
    if (host.isCubeMapBox()) bits |= kLwMacroCubeMapBox;
  }
  return bits;
}

}  // namespace

uint32_t lightwaveMacroBits(const ITkSurface& surface, bool onNode, ITkSurfaceHost* host) {
  uint32_t bits = textureBits(surface) | reflectionBits(surface);
  if (!onNode) return bits;
  const bool tangents = host && host->needTangents();
  // A mesh without tangents: the shader derives them for its normal map.
  if (hasTexture(surface, kLwBump) && !tangents) bits |= kLwMacroComputeTangents;
  if (host) bits |= hostBits(surface, *host, tangents);
  return bits;
}

std::vector<const char*> lightwaveMacroNames(uint32_t bits) {
  std::vector<const char*> names;
  for (const MacroBit& entry : kMacroBits)
    if (bits & entry.bit) names.push_back(entry.name);
  return names;
}

bool lightwaveCompileParameters(const ITkSurface& surface, bool onNode, ITkSurfaceHost* host, int* baseMaterial,
                                ShaderMacroList* macros, int* capacity) {
  const uint32_t bits = lightwaveMacroBits(surface, onNode, host);
  if (!fitMacros(lightwaveMacroNames(bits), macros, capacity)) {
    log(LOG_ERROR, "CTkSurfaceLightwave::getEffectCompileParameters Not enough space for macros");
    return false;
  }
  *baseMaterial = bits & kLwMacroTransparent ? kBaseMaterialTransparentAlphaChannel : kBaseMaterialSolid;
  return true;
}

}  // namespace tk
