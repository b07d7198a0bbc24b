#pragma once
// The surfaces of objects: every object made by a load carries a node
// extension with one LightWave surface per material of its mesh, taken from
// that material, so that a mesh without scene surfaces keeps its look.

#include <irrlicht.h>

#include "render/node_ext/scene_node_ext.h"

namespace tk {

struct CTkObjectItem;

// Makes the node's extension and gives each record a LightWave surface
// initialised from its material, then updates it. Null without an engine.
CTkSceneNodeExt* giveNodeSurfaces(irr::scene::ISceneNode* node);

// The extension of an object's node, or null.
CTkSceneNodeExt* objectNodeExt(const CTkObjectItem& item);

// A surface parameter's texture from an image file found through the file
// resolver, with or without mip maps; null when it cannot be loaded.
irr::video::ITexture* loadSurfaceTexture(const char* file, bool mipMaps);

}  // namespace tk
