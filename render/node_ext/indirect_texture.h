#pragma once
// A node's own reflection texture: a stand-in that always shows the cube
// texture of the probe it points at, so a surface keeps one texture while the
// node's probe changes or is re-rendered. It is of the kind of what it shows.

#include "render/node_ext/cube_map_probe.h"
#include "surfaces/texture_stand_in.h"

namespace tk {

class CTkIndirectTexture : public ITkTextureStandIn {
 public:
  explicit CTkIndirectTexture(const irr::io::path& name) : ITkTextureStandIn(name) {}

  // Not counted: the node extension holds the probe while it is pointed at.
  void pointAt(const ITkCubeMapProbe* probe) { probe_ = probe; }
  const ITkCubeMapProbe* target() const { return probe_; }

  CTkEngineTexture* getEngineTexture() const override;
  bool isCubeTexture() const override;

  // The display-library side of a texture it never is: nothing to lock.
  void* lock(irr::video::E_TEXTURE_LOCK_MODE, irr::u32) override { return nullptr; }
  void unlock() override {}
  const irr::core::dimension2du& getOriginalSize() const override { return size_; }
  const irr::core::dimension2du& getSize() const override { return size_; }
  irr::video::E_DRIVER_TYPE getDriverType() const override { return irr::video::EDT_NULL; }
  irr::video::ECOLOR_FORMAT getColorFormat() const override { return irr::video::ECF_A8R8G8B8; }
  irr::u32 getPitch() const override { return 0; }
  void regenerateMipMapLevels(void*) override {}

 private:
  const ITkCubeMapProbe* probe_ = nullptr;
  irr::core::dimension2du size_{0, 0};
};

}  // namespace tk
