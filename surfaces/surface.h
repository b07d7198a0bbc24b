#pragma once
// A surface: the material description of one part of a mesh (or of an
// emitter's particles). It chooses the variant of the effect that draws it
// (its macro set and base material), puts its textures on that effect's
// samplers, and writes the display library's fixed-function material that is
// used when no effect draws it. The binds read it through ITkSurfaceView.

#include <irrlicht.h>

#include <cstdint>

#include "effects/binds/node_extension_view.h"
#include "effects/runtime/effect_material.h"
#include "effects/shader_macro.h"

namespace tk {

class CTkEffect;
class ITkSurfaceHostLookup;

class ITkSurface : public irr::IReferenceCounted, public ITkSurfaceView {
 public:
  // getType() (the view's): kTkSurfaceLightwave or kTkSurfaceLightwaveHV.

  // Takes the surface from a fixed-function material (every value is set).
  virtual void initFromMaterial(const STkMaterial& material) = 0;
  // Writes the surface into a fixed-function material.
  virtual void applyToMaterial(STkMaterial* material) const = 0;
  // Meshes drawn with this surface need tangents.
  virtual bool needsTangents() const = 0;

  // The macros the effect drawing this surface is compiled with, appended to
  // `macros`, and the base material it draws over. `capacity` is the caller's
  // room in entries, counting the end entry that follows the macros (so at
  // most capacity - 1 macros fit); on success it becomes the number of macros
  // added. `node` (may be null) is the node drawn; its extension, found
  // through `hosts` (may be null: none), adds the mesh-dependent macros.
  // False, with a logged message and nothing changed, when the macros do not fit.
  virtual bool getEffectCompileParameters(int* baseMaterial, ShaderMacroList* macros, int* capacity,
                                          irr::scene::ISceneNode* node, const ITkSurfaceHostLookup* hosts) const = 0;
  // Puts the surface's textures on the effect's samplers that name them.
  virtual bool setEffectTextures(CTkEffect* effect) const = 0;
  // Puts them in the layers of `material` that the technique's pass samples
  // them from; an empty layer 0 then gets the surface's main texture.
  virtual bool setEffectTextureOnMaterial(STkMaterial* material, const CTkEffect* effect, int technique,
                                          int pass) const = 0;

  // An independent copy (one reference, the caller's).
  virtual ITkSurface* clone() const = 0;
  // The kind's data block: an array of kSurfaceParameterCount
  // STkSurfaceParameter for a LightWave surface, an STkHyperVoxelData for a
  // HyperVoxel one. setData copies a block of the same kind in.
  virtual const void* getData() const = 0;
  virtual void setData(const void* data) = 0;

  // Parameters by index (LightWave surfaces; other kinds ignore them and read
  // as 0). Indexes outside 0 to 38 are ignored. A surface holds a reference
  // to each of its textures.
  virtual void setFloat(int index, float value) = 0;
  virtual void setInt(int index, int value) = 0;
  virtual void setVector(int index, const irr::core::vector3df& value) = 0;
  virtual void setTexture(int index, irr::video::ITexture* texture) = 0;
  // The texture option travels with the texture into material layers and to
  // the sampler: non-zero means the texture holds sRGB colours.
  virtual void setTextureOption(int index, uint8_t option) = 0;
  virtual uint8_t getTextureOption(int index) const = 0;
};

// One parameter slot of a LightWave surface. A float uses value[0], an
// integer keeps its bits in value[0], a colour or vector uses all three.
struct STkSurfaceParameter {
  float value[3] = {0, 0, 0};
  irr::video::ITexture* texture = nullptr;
  uint8_t textureOption = 0;
};

}  // namespace tk
