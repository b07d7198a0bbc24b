#pragma once
// What the binds read from a drawn node's extension and from the surfaces it
// holds: read-only views, so the binds do not depend on how extensions and
// surfaces are built. The engine's node extension and surfaces implement them.

#include <irrlicht.h>

#include <cstddef>
#include <cstdint>

#include "effects/binds/surface_parameters.h"

namespace tk {

// Surface type codes.
constexpr irr::u32 kTkSurfaceLightwave = MAKE_IRR_ID('l', 'w', 's', 'r');
constexpr irr::u32 kTkSurfaceLightwaveHV = MAKE_IRR_ID('l', 'w', 'h', 'v');

constexpr int kHyperVoxelKeyCount = 9;

// The HyperVoxel particle look, laid out as the surface keeps it.
struct STkHyperVoxelData {
  uint8_t colorTexture = 0;  // the particle image is used for colour
  float color[4] = {1, 1, 1, 1};
  float size = 0.2f;
  float rotation = 0;
  int32_t blendMode = 1;  // 0 alpha, 1 additive, 2 subtractive
  uint32_t colorKeyCount = 0;
  float colorKeyPositions[kHyperVoxelKeyCount] = {};
  float colorKeyColors[kHyperVoxelKeyCount * 4] = {};
  uint32_t sizeKeyCount = 0;
  float sizeKeyPositions[kHyperVoxelKeyCount] = {};
  float sizeKeyValues[kHyperVoxelKeyCount] = {};
  float opacity = 0;  // the blend factor's alpha in transparent passes
};
static_assert(offsetof(STkHyperVoxelData, color) == 4 && offsetof(STkHyperVoxelData, colorKeyCount) == 32 &&
                  offsetof(STkHyperVoxelData, colorKeyColors) == 72 &&
                  offsetof(STkHyperVoxelData, sizeKeyCount) == 216 &&
                  offsetof(STkHyperVoxelData, sizeKeyValues) == 256 && offsetof(STkHyperVoxelData, opacity) == 292,
              "the HyperVoxel block keeps its fixed layout");

// A surface: a LightWave surface answers its 39 parameters by index; a
// HyperVoxel surface answers its particle block.
class ITkSurfaceView {
 public:
  virtual ~ITkSurfaceView() = default;
  virtual irr::u32 getType() const = 0;  // kTkSurfaceLightwave or kTkSurfaceLightwaveHV
  // Parameter values by index 0 to 38 (0 for other indexes or kinds).
  virtual float getFloat(int index) const = 0;
  virtual int getInt(int index) const = 0;
  virtual irr::core::vector3df getVector(int index) const = 0;
  // The parameter's texture, or null.
  virtual irr::video::ITexture* getTexture(int index) const = 0;
  // The particle block of a HyperVoxel surface; null for other kinds.
  virtual const STkHyperVoxelData* getHyperVoxelData() const = 0;
};

// The engine's extension of a drawn node.
class ITkSceneNodeExt {
 public:
  virtual ~ITkSceneNodeExt() = default;
  // The surface of material `index`, or null.
  virtual ITkSurfaceView* getSurface(int index) const = 0;
  // The position of the node's reflection cube map; false when it has none.
  virtual bool getCubeMapPosition(irr::core::vector3df* position) const = 0;
  // The box used for box-projected reflections.
  virtual irr::core::vector3df getCubeMapBoxPosition() const = 0;
  virtual irr::core::vector3df getCubeMapBoxScale() const = 0;
  virtual bool getCastShadows() const = 0;
  // The bits the node lists' hide and show sets are tested against.
  virtual irr::u32 getSelectionMask() const = 0;
  // Material `index` draws with its effect's technique for render path `path`
  // (the technique lookup's number) until restoreTechniques; false when that
  // effect has no such technique (or the material no effect).
  virtual bool selectTechnique(int index, int path) = 0;
  virtual void restoreTechniques() = 0;
};

// Finds a node's extension.
class ITkNodeExtensionLookup {
 public:
  virtual ~ITkNodeExtensionLookup() = default;
  // Null when the node has none.
  virtual ITkSceneNodeExt* findNodeExt(irr::scene::ISceneNode* node) const = 0;
};

}  // namespace tk
