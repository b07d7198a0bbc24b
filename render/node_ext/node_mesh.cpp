#include "render/node_ext/node_mesh.h"

namespace tk {

irr::scene::IMesh* meshOfNode(irr::scene::ISceneNode* node) {
  if (!node) return nullptr;
  switch (static_cast<irr::u32>(node->getType())) {
    case kNodeTypeMesh: return static_cast<irr::scene::IMeshSceneNode*>(node)->getMesh();
    case kNodeTypeAnimatedMesh: return static_cast<irr::scene::IAnimatedMeshSceneNode*>(node)->getMesh();
    // Morph and point-cache nodes draw a mesh of their own making.
    case kNodeTypeMorph:
    case kNodeTypePointCache: {
      auto* meshNode = dynamic_cast<irr::scene::IMeshSceneNode*>(node);
      return meshNode ? meshNode->getMesh() : nullptr;
    }
    default: return nullptr;
  }
}

}  // namespace tk
