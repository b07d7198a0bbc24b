#pragma once
// Small stand-ins for surfaces, node extensions and the extension lookup.

#include <map>
#include <set>
#include <vector>

#include "effects/binds/node_extension_view.h"
#include "render/video_driver_ext.h"

namespace tk::test {

struct FakeSurface : ITkSurfaceView {
  irr::u32 type = kTkSurfaceLightwave;
  float floats[kSurfaceParameterCount] = {};
  int ints[kSurfaceParameterCount] = {};
  irr::core::vector3df vectors[kSurfaceParameterCount];
  irr::video::ITexture* textures[kSurfaceParameterCount] = {};
  STkHyperVoxelData hyperVoxel;

  irr::u32 getType() const override { return type; }
  float getFloat(int index) const override { return floats[index]; }
  int getInt(int index) const override { return ints[index]; }
  irr::core::vector3df getVector(int index) const override { return vectors[index]; }
  irr::video::ITexture* getTexture(int index) const override { return textures[index]; }
  const STkHyperVoxelData* getHyperVoxelData() const override {
    return type == kTkSurfaceLightwaveHV ? &hyperVoxel : nullptr;
  }
};

struct FakeNodeExt : ITkSceneNodeExt {
  std::vector<ITkSurfaceView*> surfaces;
  bool hasCubeMap = false;
  irr::core::vector3df cubeMapPosition, boxPosition, boxScale{1000000, 1000000, 1000000};

  ITkSurfaceView* getSurface(int index) const override {
    return index >= 0 && index < static_cast<int>(surfaces.size()) ? surfaces[index] : nullptr;
  }
  bool getCubeMapPosition(irr::core::vector3df* position) const override {
    if (hasCubeMap) *position = cubeMapPosition;
    return hasCubeMap;
  }
  irr::core::vector3df getCubeMapBoxPosition() const override { return boxPosition; }
  irr::core::vector3df getCubeMapBoxScale() const override { return boxScale; }
  bool getCastShadows() const override { return castShadows; }
  irr::u32 getSelectionMask() const override { return selectionMask; }
  bool selectTechnique(int index, int path) override {
    const bool has = techniquePaths.count({index, path}) != 0;
    if (has) selected.push_back(index);
    return has;
  }
  void restoreTechniques() override { ++restores; }

  bool castShadows = false;
  irr::u32 selectionMask = 0;
  std::set<std::pair<int, int>> techniquePaths;  // (material, path) pairs that have a technique
  std::vector<int> selected;
  int restores = 0;
};

struct FakeLookup : ITkNodeExtensionLookup {
  std::map<irr::scene::ISceneNode*, ITkSceneNodeExt*> extensions;
  ITkSceneNodeExt* findNodeExt(irr::scene::ISceneNode* node) const override {
    auto found = extensions.find(node);
    return found == extensions.end() ? nullptr : found->second;
  }
};

struct BlendFactorRecorder : CTkNullVideoDriverExt {
  std::vector<irr::video::SColor> factors;
  void setBlendFactor(irr::video::SColor colour) override { factors.push_back(colour); }
};

}  // namespace tk::test
