#include "surfaces/lightwave_material.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "effects/device_state_codes.h"
#include "surfaces/lightwave_parameters.h"
#include "surfaces/texture_stand_in.h"

namespace tk {
namespace {

using irr::video::E_MATERIAL_TYPE;

constexpr E_MATERIAL_TYPE kSolid = static_cast<E_MATERIAL_TYPE>(kBaseMaterialSolid);
constexpr E_MATERIAL_TYPE kAlphaChannel = static_cast<E_MATERIAL_TYPE>(kBaseMaterialTransparentAlphaChannel);
constexpr E_MATERIAL_TYPE kVertexAlpha = static_cast<E_MATERIAL_TYPE>(kBaseMaterialTransparentVertexAlpha);

// Parallax height per unit of LightWave bump.
constexpr float kParallaxPerBump = 0.035f;
constexpr int kSidednessDoubleSided = 3;

bool hasTexture(const ITkSurfaceView& surface, int index) { return surface.getTexture(index) != nullptr; }

// A parameter that may hold an integer or a float is on when its word is not
// zero (either kind of zero).
bool isOn(const ITkSurfaceView& surface, int index) {
  uint32_t bits = 0;
  const float value = surface.getFloat(index);
  std::memcpy(&bits, &value, sizeof bits);
  return (bits & 0x7fffffffu) != 0;
}

irr::u32 to8Bit(float value) {
  return static_cast<irr::u32>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

irr::video::SColor opaqueColor(const irr::core::vector3df& rgb) {
  return irr::video::SColor(255, to8Bit(rgb.X), to8Bit(rgb.Y), to8Bit(rgb.Z));
}

float luminance(const irr::video::SColor& color) {
  return (0.3f * color.getRed() + 0.59f * color.getGreen() + 0.11f * color.getBlue()) / 255.0f;
}

bool isParallax(E_MATERIAL_TYPE type) {
  return type == irr::video::EMT_PARALLAX_MAP_SOLID || type == irr::video::EMT_PARALLAX_MAP_TRANSPARENT_VERTEX_ALPHA;
}
bool isReflection(E_MATERIAL_TYPE type) {
  return type == irr::video::EMT_REFLECTION_2_LAYER || type == irr::video::EMT_TRANSPARENT_REFLECTION_2_LAYER;
}

// The texture in both the display library's layer and the engine's.
void putTexture(STkMaterial* material, int layer, irr::video::ITexture* texture, uint8_t option) {
  material->base.TextureLayer[layer].Texture = displayLibraryTexture(texture);
  putInLayer(&material->pixelLayers[layer], texture, option);
}

// A material layer's texture with the option the engine's layer keeps for it.
irr::video::ITexture* textureOf(const STkMaterial& material, int layer, uint8_t* option) {
  irr::video::ITexture* texture = material.base.TextureLayer[layer].Texture;
  const STkTextureLayer& engineLayer = material.pixelLayers[layer];
  *option = texture && engineLayer.texture == texture && engineLayer.sRGB ? 1 : 0;
  return texture;
}

void takeTexture(const STkMaterial& material, int layer, ITkSurface* surface, int index) {
  uint8_t option = 0;
  surface->setTexture(index, textureOf(material, layer, &option));
  surface->setTextureOption(index, option);
}

void applyOutlines(const ITkSurfaceView& surface, irr::video::SMaterial* base) {
  if (!isOn(surface, kLwRenderOutlines)) return;
  const float size = surface.getFloat(kLwLineSize);
  base->Wireframe = size > 0 && size < 1;
  base->PointCloud = size >= 1;
  if (size >= 1) base->Thickness = size;
}

void applyColours(const ITkSurfaceView& surface, irr::video::SMaterial* base) {
  const irr::core::vector3df color = surface.getVector(kLwBaseColor);
  const float specular = surface.getFloat(kLwSpecularity);
  base->DiffuseColor = opaqueColor(color * surface.getFloat(kLwDiffuse));
  base->EmissiveColor = opaqueColor(color * surface.getFloat(kLwLuminosity));
  base->SpecularColor = opaqueColor({specular, specular, specular});
  base->Shininess = surface.getFloat(kLwGlossiness) * 128.0f;
}

}  // namespace

E_MATERIAL_TYPE lightwaveMaterialType(const ITkSurfaceView& surface) {
  const bool bump = hasTexture(surface, kLwBump);
  const bool reflection = hasTexture(surface, kLwReflectionImage) && surface.getInt(kLwReflectionOptions) >= 2 &&
                          (surface.getFloat(kLwReflectivity) != 0 || hasTexture(surface, kLwReflectivity));
  const bool transparencyMap = hasTexture(surface, kLwTransparency);
  const bool transparent = transparencyMap || surface.getFloat(kLwTransparency) != 0;
  if (bump) return transparent ? irr::video::EMT_PARALLAX_MAP_TRANSPARENT_VERTEX_ALPHA : irr::video::EMT_PARALLAX_MAP_SOLID;
  if (reflection)
    return transparent ? irr::video::EMT_TRANSPARENT_REFLECTION_2_LAYER : irr::video::EMT_REFLECTION_2_LAYER;
  if (transparencyMap) return kAlphaChannel;
  if (transparent) return kVertexAlpha;
  return kSolid;
}

void applyLightwaveToMaterial(const ITkSurface& surface, STkMaterial* material) {
  if (!material) return;
  irr::video::SMaterial& base = material->base;
  const E_MATERIAL_TYPE type = lightwaveMaterialType(surface);
  base.MaterialType = type;
  if (isParallax(type)) base.MaterialTypeParam = surface.getFloat(kLwBump) * kParallaxPerBump;
  applyColours(surface, &base);
  applyOutlines(surface, &base);
  base.BackfaceCulling = surface.getInt(kLwSidedness) != kSidednessDoubleSided;
  const bool vertexColours = type == kVertexAlpha ||
                             type == irr::video::EMT_PARALLAX_MAP_TRANSPARENT_VERTEX_ALPHA ||
                             isOn(surface, kLwVertexColoring);
  base.ColorMaterial = vertexColours ? irr::video::ECM_DIFFUSE : irr::video::ECM_AMBIENT;
  putTexture(material, 0, surface.getTexture(kLwBaseColor), surface.getTextureOption(kLwBaseColor));
  if (isReflection(type))
    putTexture(material, 1, surface.getTexture(kLwReflectionImage), surface.getTextureOption(kLwReflectionImage));
  else if (isParallax(type))
    putTexture(material, 1, surface.getTexture(kLwBump), surface.getTextureOption(kLwBump));
}

void initLightwaveFromMaterial(const STkMaterial& material, ITkSurface* surface) {
  const irr::video::SMaterial& base = material.base;
  const E_MATERIAL_TYPE type = base.MaterialType;
  const irr::video::SColor diffuse = base.DiffuseColor;
  surface->setVector(kLwBaseColor,
                     {diffuse.getRed() / 255.0f, diffuse.getGreen() / 255.0f, diffuse.getBlue() / 255.0f});
  takeTexture(material, 0, surface, kLwBaseColor);
  surface->setFloat(kLwLuminosity, luminance(base.EmissiveColor));
  surface->setFloat(kLwDiffuse, 1.0f);
  surface->setFloat(kLwSpecularity, luminance(base.SpecularColor));
  surface->setFloat(kLwGlossiness, base.Shininess / 128.0f);
  // Both reflection types keep their reflection map in layer 1.
  if (isReflection(type)) {
    surface->setFloat(kLwReflectivity, 1.0f);
    surface->setInt(kLwReflectionOptions, 2);
    takeTexture(material, 1, surface, kLwReflectionImage);
  }
  if (type == kAlphaChannel) takeTexture(material, 0, surface, kLwTransparency);
  if (type == kVertexAlpha || type == irr::video::EMT_TRANSPARENT_REFLECTION_2_LAYER ||
      type == irr::video::EMT_PARALLAX_MAP_TRANSPARENT_VERTEX_ALPHA)
    surface->setFloat(kLwTransparency, 1.0f);
  if (isParallax(type)) {
    takeTexture(material, 1, surface, kLwBump);
    surface->setFloat(kLwBump, base.MaterialTypeParam / kParallaxPerBump);
  }
  surface->setInt(kLwSidedness, base.BackfaceCulling ? 0 : kSidednessDoubleSided);
  if (base.PointCloud) {
    surface->setInt(kLwRenderOutlines, 1);
    surface->setFloat(kLwLineSize, base.Thickness);
  }
  if (base.Wireframe) {
    surface->setInt(kLwRenderOutlines, 1);
    surface->setFloat(kLwLineSize, 0.5f);
  }
  if (base.ColorMaterial == irr::video::ECM_DIFFUSE) surface->setFloat(kLwVertexColoring, 1.0f);
}

}  // namespace tk
