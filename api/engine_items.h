#pragma once
// Objects and lights as the command layer keeps them in its ID tables.

#include <irrlicht.h>

#include <string>

#include "render/engine.h"

namespace tk {

// Object kinds, told apart by the scene node's four-character type code.
constexpr irr::u32 kKindMesh = MAKE_IRR_ID('m', 'e', 's', 'h');
constexpr irr::u32 kKindAnimatedMesh = MAKE_IRR_ID('a', 'm', 's', 'h');
constexpr irr::u32 kKindPointCache = MAKE_IRR_ID('m', 'd', 'd', 'm');
constexpr irr::u32 kKindMorph = MAKE_IRR_ID('m', 'o', 'r', 'p');

struct CTkObjectItem {
  irr::scene::ISceneNode* node = nullptr;
  bool inCollisionSet = false;

  irr::u32 kind() const { return node ? static_cast<irr::u32>(node->getType()) : 0; }
};

// The engine's own values of a light, beside the scene graph's light data.
struct STkLightExtension {
  irr::video::SColorf rawColor{1, 1, 1, 1};
  float intensity = 1;
  bool castShadows = false;
  irr::video::SColorf shadowColor{0, 0, 0, 1};
  int shadowMapSize = 0;
  float shadowMapFuzz = 0;
  irr::video::ITexture* projectedImage = nullptr;
  bool volumetric = false;
  float volumetricDensity = 0;
  float volumetricBase = 0;
  bool volumetricColorSet = false;
  irr::video::SColorf volumetricColor{0, 0, 0, 1};
  bool volumetricClamp = false;
  float volumetricClampValue = 0;
  int volumetricSetting = 0;
  int distantShadowWidth = 0, distantShadowHeight = 0;
  int distantShadowMode = 0;
  float distantShadowOffset = 0;
};

struct CTkLightItem {
  irr::scene::ILightSceneNode* node = nullptr;
  STkLightExtension extension;
};

// The item under an ID, or null after reporting "... ID %d does not exist. %s" (code 1).
CTkObjectItem* objectOrReport(int id);
CTkLightItem* lightOrReport(int id);

}  // namespace tk
