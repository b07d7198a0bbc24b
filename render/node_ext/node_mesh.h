#pragma once
// The mesh of a mesh-like node: static meshes ("mesh"), animated meshes
// ("amsh"), morph meshes ("morp") and point-cache meshes ("mddm"), each
// through its own accessor.

#include <irrlicht.h>

namespace tk {

constexpr irr::u32 kNodeTypeMesh = MAKE_IRR_ID('m', 'e', 's', 'h');
constexpr irr::u32 kNodeTypeAnimatedMesh = MAKE_IRR_ID('a', 'm', 's', 'h');
constexpr irr::u32 kNodeTypeMorph = MAKE_IRR_ID('m', 'o', 'r', 'p');
constexpr irr::u32 kNodeTypePointCache = MAKE_IRR_ID('m', 'd', 'd', 'm');

// Null for other node types and for a node without a mesh.
irr::scene::IMesh* meshOfNode(irr::scene::ISceneNode* node);

}  // namespace tk
