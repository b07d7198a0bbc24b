#include "api/camera_collision.h"

#include "api/engine_items.h"

namespace tk {

irr::scene::IMetaTriangleSelector* cameraCollisionSet() {
  irr::scene::ICameraSceneNode* camera = tkEngine().camera;
  if (!camera) return nullptr;
  if (auto* existing = static_cast<irr::scene::IMetaTriangleSelector*>(camera->getTriangleSelector()))
    return existing;
  irr::scene::IMetaTriangleSelector* set = tkEngine().sceneManager->createMetaTriangleSelector();
  camera->setTriangleSelector(set);
  set->drop();
  return set;
}

void addToCameraCollision(CTkObjectItem* item) {
  irr::scene::ISceneNode* node = item->node;
  if (!node->getTriangleSelector()) {
    auto* meshNode = static_cast<irr::scene::IMeshSceneNode*>(node);
    irr::scene::ITriangleSelector* selector =
        tkEngine().sceneManager->createTriangleSelector(meshNode->getMesh(), node);
    if (!selector) return;
    node->setTriangleSelector(selector);
    selector->drop();
  }
  irr::scene::IMetaTriangleSelector* set = cameraCollisionSet();
  if (!set || item->inCollisionSet) return;
  set->addTriangleSelector(node->getTriangleSelector());
  item->inCollisionSet = true;
}

void removeFromCameraCollision(CTkObjectItem* item) {
  if (!item->inCollisionSet) return;
  if (irr::scene::IMetaTriangleSelector* set = cameraCollisionSet())
    set->removeTriangleSelector(item->node->getTriangleSelector());
  item->inCollisionSet = false;
}

}  // namespace tk
