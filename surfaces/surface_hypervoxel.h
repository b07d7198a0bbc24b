#pragma once
// The HyperVoxel particle surface (type kTkSurfaceLightwaveHV): the particle
// block the HyperVoxel binds read and the particle ("clip") image. It has no
// indexed parameters.

#include "surfaces/surface.h"

namespace tk {

class CTkSurfaceLightwaveHV : public ITkSurface {
 public:
  CTkSurfaceLightwaveHV() = default;
  ~CTkSurfaceLightwaveHV() override;
  CTkSurfaceLightwaveHV(const CTkSurfaceLightwaveHV&) = delete;
  CTkSurfaceLightwaveHV& operator=(const CTkSurfaceLightwaveHV&) = delete;

  irr::u32 getType() const override { return kTkSurfaceLightwaveHV; }
  // The particle image from layer 0 (used for colour when there is one) and
  // the blend mode from the material type.
  void initFromMaterial(const STkMaterial& material) override;
  void applyToMaterial(STkMaterial* material) const override;
  bool needsTangents() const override { return false; }
  // The node plays no part.
  bool getEffectCompileParameters(int* baseMaterial, ShaderMacroList* macros, int* capacity,
                                  irr::scene::ISceneNode* node, const ITkSurfaceHostLookup* hosts) const override;
  bool setEffectTextures(CTkEffect* effect) const override;
  bool setEffectTextureOnMaterial(STkMaterial* material, const CTkEffect* effect, int technique,
                                  int pass) const override;
  ITkSurface* clone() const override;
  const void* getData() const override { return &data_; }
  void setData(const void* data) override;

  void setFloat(int, float) override {}
  void setInt(int, int) override {}
  void setVector(int, const irr::core::vector3df&) override {}
  void setTexture(int, irr::video::ITexture*) override {}
  void setTextureOption(int, uint8_t) override {}
  float getFloat(int) const override { return 0; }
  int getInt(int) const override { return 0; }
  irr::core::vector3df getVector(int) const override { return {0, 0, 0}; }
  irr::video::ITexture* getTexture(int) const override { return nullptr; }
  uint8_t getTextureOption(int) const override { return 0; }
  const STkHyperVoxelData* getHyperVoxelData() const override { return &data_; }

  STkHyperVoxelData& data() { return data_; }
  // The surface holds a reference to its image.
  void setClipImage(irr::video::ITexture* image);
  irr::video::ITexture* getClipImage() const { return clip_; }

 private:
  STkHyperVoxelData data_;
  irr::video::ITexture* clip_ = nullptr;
};

}  // namespace tk
