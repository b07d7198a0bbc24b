#pragma once
// Textures the engine owns (cube maps, volumes, a node's indirect cube-map
// texture) are not display-library textures, yet surface parameters hold
// display-library texture objects. Such a texture reaches a surface as a
// stand-in: a display-library texture object that says which engine texture
// it shows. Surfaces hand stand-ins to effects and material layers as engine
// textures and never put them in the display library's own texture layers.

#include <irrlicht.h>

#include "effects/runtime/effect_material.h"

namespace tk {

class ITkTextureStandIn : public irr::video::ITexture {
 public:
  explicit ITkTextureStandIn(const irr::io::path& name) : ITexture(name) {}
  // The engine texture shown now (an indirect texture follows its target); may be null.
  virtual CTkEngineTexture* getEngineTexture() const = 0;
  // Whether what it shows now is a cube texture.
  virtual bool isCubeTexture() const = 0;
};

// The stand-in behind a texture, or null for a display-library texture (or none).
const ITkTextureStandIn* standInOf(irr::video::ITexture* texture);
bool isCubeTexture(irr::video::ITexture* texture);

// Puts the texture in the layer as the engine binds it (a stand-in as its
// engine texture), with sRGB from the option; the sampler states stay.
void putInLayer(STkTextureLayer* layer, irr::video::ITexture* texture, uint8_t option);
// A layer with neither kind of texture.
bool layerIsEmpty(const STkTextureLayer& layer);
// The texture for the display library's own layers: none for a stand-in.
irr::video::ITexture* displayLibraryTexture(irr::video::ITexture* texture);

}  // namespace tk
