#pragma once
// The LightWave surface (type kTkSurfaceLightwave): 39 parameter slots, each
// a value, a texture and a texture option, in the order of the parameter
// names (surfaces/lightwave_parameters.h).

#include "surfaces/surface.h"

namespace tk {

class CTkSurfaceLightwave : public ITkSurface {
 public:
  // Every value 0 except BaseColor (0.78, 0.78, 0.78), Diffuse, Bump,
  // LineSize and VertexColoring 1 and Glossiness 0.4; no textures.
  CTkSurfaceLightwave();
  ~CTkSurfaceLightwave() override;
  CTkSurfaceLightwave(const CTkSurfaceLightwave&) = delete;
  CTkSurfaceLightwave& operator=(const CTkSurfaceLightwave&) = delete;

  irr::u32 getType() const override { return kTkSurfaceLightwave; }
  void initFromMaterial(const STkMaterial& material) override;
  void applyToMaterial(STkMaterial* material) const override;
  bool needsTangents() const override;
  bool getEffectCompileParameters(int* baseMaterial, ShaderMacroList* macros, int* capacity,
                                  irr::scene::ISceneNode* node, const ITkSurfaceHostLookup* hosts) const override;
  bool setEffectTextures(CTkEffect* effect) const override;
  bool setEffectTextureOnMaterial(STkMaterial* material, const CTkEffect* effect, int technique,
                                  int pass) const override;
  ITkSurface* clone() const override;
  const void* getData() const override { return slots_; }
  void setData(const void* data) override;

  void setFloat(int index, float value) override;
  void setInt(int index, int value) override;
  void setVector(int index, const irr::core::vector3df& value) override;
  void setTexture(int index, irr::video::ITexture* texture) override;
  void setTextureOption(int index, uint8_t option) override;
  float getFloat(int index) const override;
  int getInt(int index) const override;
  irr::core::vector3df getVector(int index) const override;
  irr::video::ITexture* getTexture(int index) const override;
  uint8_t getTextureOption(int index) const override;
  const STkHyperVoxelData* getHyperVoxelData() const override { return nullptr; }

  // Every value 0, no textures.
  void clear();

 private:
  STkSurfaceParameter* slot(int index);
  const STkSurfaceParameter* slot(int index) const;

  STkSurfaceParameter slots_[kSurfaceParameterCount];
};

}  // namespace tk
