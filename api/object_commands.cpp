#include "api/object_commands.h"

#include "api/camera_collision.h"
#include "api/engine_items.h"
#include "api/object_surfaces.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "geometry/mesh_loading.h"
#include "render/tk_manager.h"

#include <algorithm>
#include <cmath>

namespace tk {
namespace {

irr::scene::ISceneManager* scenes() { return tkEngine().sceneManager; }

// Stores an empty item under a new ID; null after reporting the table's complaint.
CTkObjectItem* reserveObject(int id, int code) {
  auto* item = new CTkObjectItem();
  if (tkEngine().objects->add(id, item) != 0) {
    logErrorCode(code, "invalid Object ID %d : %s", id, idErrorText());
    delete item;
    return nullptr;
  }
  return item;
}

void releaseObject(int id) {
  CTkObjectItem* item = tkEngine().objects->get(id);
  tkEngine().objects->remove(id);
  delete item;
}

irr::scene::IAnimatedMeshSceneNode* animatedNode(CTkObjectItem* item) {
  return item->kind() == kKindAnimatedMesh ? static_cast<irr::scene::IAnimatedMeshSceneNode*>(item->node) : nullptr;
}

irr::scene::IMesh* staticMesh(CTkObjectItem* item) {
  if (item->kind() == kKindMesh) return static_cast<irr::scene::IMeshSceneNode*>(item->node)->getMesh();
  if (irr::scene::IAnimatedMeshSceneNode* node = animatedNode(item)) return node->getMesh();
  return nullptr;
}

void warnAboutLargeBuffers(int id, const char* path, irr::scene::IMesh* mesh) {
  for (irr::u32 i = 0; i < mesh->getMeshBufferCount(); ++i) {
    irr::u32 points = mesh->getMeshBuffer(i)->getVertexCount();
    if (points > 65535)
      log(LOG_WARN | LOG_SHOW,
          "Object %d '%s' has too much points on surface %d ;\n%d points > maximum 65535.\nRender artifacts will occur.",
          id, path, i, points);
  }
}

// A mesh with more than one frame becomes an animated node, anything else a static one.
irr::scene::ISceneNode* addMeshNode(irr::scene::IAnimatedMesh* mesh) {
  if (mesh->getFrameCount() > 1) return scenes()->addAnimatedMeshSceneNode(mesh);
  return scenes()->addMeshSceneNode(mesh->getMesh(0));
}

// The named animations of an animated mesh; null after reporting when there are none.
irr::scene::IAnimatedMeshMD2* namedAnimations(int id, CTkObjectItem* item) {
  irr::scene::IAnimatedMeshSceneNode* node = animatedNode(item);
  if (!node) {
    logErrorCode(kErrorArgument1, "Object ID %d is not an animated mesh", id);
    return nullptr;
  }
  irr::scene::IAnimatedMesh* mesh = node->getMesh();
  if (!mesh) {
    logErrorCode(kErrorArgument1, "Object ID %d has no mesh", id);
    return nullptr;
  }
  return mesh->getMeshType() == irr::scene::EAMT_MD2 ? static_cast<irr::scene::IAnimatedMeshMD2*>(mesh) : nullptr;
}

bool animationInRange(int id, irr::scene::IAnimatedMeshMD2* md2, int index) {
  if (md2 && index >= 0 && index < md2->getAnimationCount()) return true;
  logErrorCode(kErrorArgument1, "Object ID %d has no animation %d", id, index);
  return false;
}

struct AnimationLoop {
  irr::s32 begin = 0, end = 0, fps = 0;
};

// The frames and speed of named animation number `index`; false after reporting.
bool animationLoop(int id, int index, AnimationLoop* loop) {
  CTkObjectItem* item = objectOrReport(id);
  if (!item) return false;
  irr::scene::IAnimatedMeshMD2* md2 = namedAnimations(id, item);
  if (!animationInRange(id, md2, index)) return false;
  return md2->getFrameLoop(md2->getAnimationName(index), loop->begin, loop->end, loop->fps);
}

int cloneFrom(int id, int sourceId) {
  if (!reserveObject(id, kErrorArgument1)) return -1;
  // A source under the target's own ID is the empty item just reserved there:
  // the source did not exist.
  CTkObjectItem* source = sourceId == id ? nullptr : tkEngine().objects->get(sourceId);
  if (!source) {
    logErrorCode(kErrorArgument2, "Object ID %d does not exist", sourceId);
    releaseObject(id);
    return -1;
  }
  irr::scene::ISceneNode* copy = source->node->clone();
  if (!copy) {
    logErrorCode(kErrorNoArgument, "Failed to create the cloned object");
    releaseObject(id);
    return -1;
  }
  // The copy is held by the source's parent, like the source itself.
  tkEngine().objects->get(id)->node = copy;
  // The display library copies the source's materials after the animators,
  // so the copy's materials still name the source's records: point them at
  // the copy's own.
  if (CTkSceneNodeExt* extension = findSceneNodeExt(copy)) extension->update();
  return 0;
}

}  // namespace

int LoadObject(const char* file, int id) {
  CTkObjectItem* item = reserveObject(id, kErrorArgument2);
  if (!item) return -1;
  const std::string resolved = resolveFile(file);
  std::string path = fileLayer().absolutePath(resolved.c_str());
  // Only a file the engine file layer opens (a regular file, found under the
  // names rule) is handed to the mesh loaders.
  irr::scene::IAnimatedMesh* mesh = fileExists(resolved.c_str()) ? loadMesh(scenes(), path.c_str()) : nullptr;
  item->node = mesh ? addMeshNode(mesh) : nullptr;
  if (!item->node) {
    logErrorCode(kErrorArgument1, "Failed to load mesh '%s'", path.c_str());
    releaseObject(id);
    return -1;
  }
  // Scaled objects keep their lighting: normals are renormalised after the transform.
  item->node->setMaterialFlag(irr::video::EMF_NORMALIZE_NORMALS, true);
  warnAboutLargeBuffers(id, path.c_str(), mesh->getMesh(0));
  giveNodeSurfaces(item->node);
  return 0;
}

int CloneObject(int id, int sourceId) { return cloneFrom(id, sourceId); }
int InstanceObject(int id, int sourceId) { return cloneFrom(id, sourceId); }

bool ObjectExist(int id) { return tkEngine().objects && tkEngine().objects->get(id) != nullptr; }

bool ObjectVisible(int id) {
  CTkObjectItem* item = objectOrReport(id);
  return item && item->node->isVisible();
}

void ShowObject(int id) {
  if (CTkObjectItem* item = objectOrReport(id)) item->node->setVisible(true);
}

void HideObject(int id) {
  if (CTkObjectItem* item = objectOrReport(id)) item->node->setVisible(false);
}

void DeleteObject(int id) {
  CTkObjectItem* item = tkEngine().objects->get(id);
  if (!item) return;
  removeFromCameraCollision(item);
  // The records' material context numbers are free from here on, even while
  // something else still holds the node.
  if (CTkManager* manager = tkEngine().manager) manager->getSceneManager()->removeNodeExt(item->node);
  item->node->remove();
  releaseObject(id);
}

void PositionObject(int id, float x, float y, float z) {
  if (CTkObjectItem* item = objectOrReport(id)) item->node->setPosition(irr::core::vector3df(x, y, z));
}

void RotateObject(int id, float x, float y, float z) {
  if (CTkObjectItem* item = objectOrReport(id)) item->node->setRotation(irr::core::vector3df(x, y, z));
}

void ScaleObject(int id, float x, float y, float z) {
  if (CTkObjectItem* item = objectOrReport(id)) item->node->setScale(irr::core::vector3df(x, y, z) / 100.0f);
}

void LockObjectOn(int id) {
  if (CTkObjectItem* item = objectOrReport(id)) item->node->setParent(tkEngine().camera);
}

// Detached objects go back to the top of the scene graph: a node without any
// parent would leave the scene (and be destroyed) in the display library.
void LockObjectOff(int id) {
  if (CTkObjectItem* item = objectOrReport(id)) item->node->setParent(scenes()->getRootSceneNode());
}

int TotalObjectFrames(int id) {
  CTkObjectItem* item = objectOrReport(id);
  if (!item) return 0;
  if (irr::scene::IAnimatedMeshSceneNode* node = animatedNode(item))
    return node->getMesh() ? static_cast<int>(node->getMesh()->getFrameCount()) : 0;
  return 1;
}

void SetObjectFrame(int id, float frame) {
  CTkObjectItem* item = objectOrReport(id);
  if (!item) return;
  // The display library turns the frame into an array index: NaN must not get there.
  if (std::isnan(frame)) frame = 0;
  if (irr::scene::IAnimatedMeshSceneNode* node = animatedNode(item))
    node->setCurrentFrame(static_cast<float>(node->getStartFrame()) + frame);
}

void UseAnimationFromObject(int id, int sourceId) {
  CTkObjectItem* item = objectOrReport(id);
  if (!item) return;
  irr::scene::IAnimatedMeshSceneNode* node = animatedNode(item);
  if (!node) return logErrorCode(kErrorArgument1, "Object ID %d is not an animated mesh", id);
  CTkObjectItem* source = tkEngine().objects->get(sourceId);
  if (!source) return logErrorCode(kErrorArgument2, "Object ID %d does not exist. %s", sourceId, idErrorText());
  irr::scene::IAnimatedMeshSceneNode* sourceNode = animatedNode(source);
  if (!sourceNode) return logErrorCode(kErrorArgument2, "Object ID %d is not an animated mesh", sourceId);
  if (!node->getMesh() || !sourceNode->getMesh()) return logErrorCode(kErrorArgument1, "Object ID %d has no mesh", id);
  if (node->getMesh()->getMeshType() != irr::scene::EAMT_SKINNED ||
      sourceNode->getMesh()->getMeshType() != irr::scene::EAMT_SKINNED)
    return logErrorCode(kErrorArgument1, "Object ID %d has no skeleton to share animation with", id);
  auto* skinned = static_cast<irr::scene::ISkinnedMesh*>(node->getMesh());
  skinned->useAnimationFrom(static_cast<irr::scene::ISkinnedMesh*>(sourceNode->getMesh()));
  node->setFrameLoop(0, static_cast<irr::s32>(sourceNode->getMesh()->getFrameCount()));
}

int ObjectAnimationCount(int id) {
  CTkObjectItem* item = objectOrReport(id);
  if (!item) return 0;
  irr::scene::IAnimatedMeshMD2* md2 = namedAnimations(id, item);
  return md2 ? md2->getAnimationCount() : 0;
}

std::string ObjectAnimationName(int id, int index) {
  CTkObjectItem* item = objectOrReport(id);
  if (!item) return "";
  irr::scene::IAnimatedMeshMD2* md2 = namedAnimations(id, item);
  if (!animationInRange(id, md2, index)) return "";
  return md2->getAnimationName(index);
}

int ObjectAnimationBegin(int id, int index) {
  AnimationLoop loop;
  return animationLoop(id, index, &loop) ? loop.begin : 0;
}

int ObjectAnimationEnd(int id, int index) {
  AnimationLoop loop;
  return animationLoop(id, index, &loop) ? loop.end : 0;
}

float ObjectAnimationSpeed(int id, int index) {
  AnimationLoop loop;
  return animationLoop(id, index, &loop) ? static_cast<float>(loop.fps) : 0.0f;
}

int GetObjectMorphCount(int id) {
  // Morph meshes report their targets once they exist; other kinds have none.
  objectOrReport(id);
  return 0;
}

// The radius of the sphere around the object's bounding box, in scene units.
float GetObjectRadius(int id) {
  CTkObjectItem* item = objectOrReport(id);
  if (!item) return 0;
  irr::u32 kind = item->kind();
  if (kind != kKindMesh && kind != kKindAnimatedMesh && kind != kKindPointCache && kind != kKindMorph) {
    logErrorCode(kErrorArgument1, "Object ID %d is not of supported type", id);
    return 0;
  }
  irr::scene::IMesh* mesh = staticMesh(item);
  if (!mesh && (kind == kKindMesh || kind == kKindAnimatedMesh)) {
    logErrorCode(kErrorArgument1, "Object ID %d has no mesh", id);
    return 0;
  }
  irr::core::vector3df scale = item->node->getScale();
  float largest = std::max(std::max(std::abs(scale.X), std::abs(scale.Y)), std::abs(scale.Z));
  return item->node->getBoundingBox().getExtent().getLength() * 0.5f * largest;
}

void GhostObjectOn(int id) { objectOrReport(id); }
void SetAlphaMappingOn(int id, int) { objectOrReport(id); }
void SetObjectRotationXYZ(int id) { objectOrReport(id); }
void SetObjectRotationZYX(int id) { objectOrReport(id); }

void SetObjectCollisionOn(int id) {
  CTkObjectItem* item = objectOrReport(id);
  if (!item || item->kind() != kKindMesh) return;
  addToCameraCollision(item);
}

// Takes the object out of the camera's collision set again.
void SetObjectCollisionOff(int id) {
  CTkObjectItem* item = objectOrReport(id);
  if (!item || item->kind() != kKindMesh) return;
  removeFromCameraCollision(item);
}

void SetObjectCastShadows(int id, bool on) {
  CTkObjectItem* item = objectOrReport(id);
  if (item && tkEngine().manager) tkEngine().manager->getSceneManager()->getNodeExt(item->node)->setCastShadows(on);
}

void SetObjectSelectionMask(int id, unsigned mask) {
  CTkObjectItem* item = objectOrReport(id);
  if (item && tkEngine().manager) tkEngine().manager->getSceneManager()->getNodeExt(item->node)->setSelectionMask(mask);
}

void deleteAllObjects() {
  IdTable<CTkObjectItem>* table = tkEngine().objects;
  if (!table) return;
  for (int id = 0; id <= table->highestId(); ++id) DeleteObject(id);
}

}  // namespace tk
