#pragma once
// Objects and lights as the command layer keeps them in its ID tables.

#include <irrlicht.h>

#include <string>

#include "render/engine.h"
#include "render/node_ext/light_scene_node_ext.h"

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

// A light: its scene node, which carries the light extension (shadow and
// volumetric values, read by the renderers), and the two values the colour
// commands keep apart: the node's diffuse colour is raw colour x intensity.
struct CTkLightItem {
  irr::scene::ILightSceneNode* node = nullptr;
  irr::video::SColorf rawColor{1, 1, 1, 1};
  float intensity = 1;

  CTkLightSceneNodeExt* extension() const { return lightExtensionOf(node); }
};

// The item under an ID, or null after reporting "... ID %d does not exist. %s" (code 1).
CTkObjectItem* objectOrReport(int id);
CTkLightItem* lightOrReport(int id);

}  // namespace tk
