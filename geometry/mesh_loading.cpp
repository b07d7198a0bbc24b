#include "geometry/mesh_loading.h"

#include "geometry/obj/obj_mesh_loader.h"

namespace tk {

void registerMeshLoaders(irr::scene::ISceneManager* scenes) {
  irr::scene::IMeshLoader* obj = new CTkObjMeshLoader(scenes);
  scenes->addExternalMeshLoader(obj);
  obj->drop();
}

irr::scene::IAnimatedMesh* loadMesh(irr::scene::ISceneManager* scenes, const char* path) {
  irr::scene::IAnimatedMesh* mesh = scenes->getMesh(path);
  if (mesh && mesh->getFrameCount() == 0) {
    scenes->getMeshCache()->removeMesh(mesh);
    return nullptr;
  }
  return mesh;
}

irr::scene::IAnimatedMesh* refusedMesh() { return new irr::scene::SAnimatedMesh; }

}  // namespace tk
