#include "geometry/mesh_loading.h"

#include "geometry/guarded/guarded_library_loader.h"
#include "geometry/obj/obj_mesh_loader.h"

namespace tk {

namespace {

void addLoader(irr::scene::ISceneManager* scenes, irr::scene::IMeshLoader* loader) {
  scenes->addExternalMeshLoader(loader);
  loader->drop();
}

}  // namespace

// The guard takes the library's loaders as they are now; the OBJ reader comes
// last, so that it is asked first.
void registerMeshLoaders(irr::scene::ISceneManager* scenes) {
  addLoader(scenes, new CTkGuardedLibraryLoader(scenes));
  addLoader(scenes, new CTkObjMeshLoader(scenes));
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
