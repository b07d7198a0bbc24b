#pragma once
// The camera's collision set: one combined triangle selector kept on the camera.

namespace irr::scene {
class IMetaTriangleSelector;
}

namespace tk {

struct CTkObjectItem;

// The set, made empty on first use; null without a camera.
irr::scene::IMetaTriangleSelector* cameraCollisionSet();

// Gives a static mesh object its triangle selector (once) and adds it to the set.
void addToCameraCollision(CTkObjectItem* item);
void removeFromCameraCollision(CTkObjectItem* item);

}  // namespace tk
