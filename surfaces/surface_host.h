#pragma once
// What a surface's macro set needs from the node extension that holds the
// surface: whether the mesh gets tangents and carries a second UV set, each
// mesh buffer's second-UV texture mask, and the node's own reflection cube
// map. The extension implements it; callers find it through the lookup.

#include <irrlicht.h>

namespace tk {

class ITkSurface;

class ITkSurfaceHost {
 public:
  virtual ~ITkSurfaceHost() = default;
  // The mesh keeps tangents (may log warnings about its mesh buffers).
  virtual bool needTangents() = 0;
  // Some mesh buffer carries a second UV set.
  virtual bool hasUV2() const = 0;
  // Mesh buffer `buffer`'s second-UV texture mask (bits 0x1 colour, 0x2
  // diffuse, 0x4 luminosity, 0x8 specular, 0x10 reflectivity, 0x20
  // transparency, 0x40 normal, 0x80 translucency, 0x100 glossiness) and the
  // value stored with it; false, writing nothing, for an index that names no
  // mesh buffer.
  virtual bool getBufferUV2Info(int buffer, int* value, irr::u32* mask) const = 0;
  // The texture (not null) is the node's own cube-map texture.
  virtual bool isNodeCubeMapTexture(const irr::video::ITexture* texture) const = 0;
  // Box-projected reflections are switched on.
  virtual bool isCubeMapBox() const = 0;
  // The index of the material record holding the surface; -1 when none does.
  virtual int getSurfaceIndex(const ITkSurface* surface) const = 0;
};

class ITkSurfaceHostLookup {
 public:
  virtual ~ITkSurfaceHostLookup() = default;
  // The node's extension; null when it has none.
  virtual ITkSurfaceHost* findSurfaceHost(irr::scene::ISceneNode* node) const = 0;
};

}  // namespace tk
