#pragma once
// The OBJ mesh loader: tinyobjloader reads the file, ObjMeshBuilder makes the
// same meshes as the display library's own loader, with source points kept.

#include <irrlicht.h>

namespace tk {

class CTkObjMeshLoader : public irr::scene::IMeshLoader {
 public:
  // The scene manager owns its loaders, so this one does not hold it.
  explicit CTkObjMeshLoader(irr::scene::ISceneManager* scenes) : scenes_(scenes) {}

  bool isALoadableFileExtension(const irr::io::path& name) const override;
  // The mesh, or a refused mesh (see mesh_loading.h) with the reason logged
  // when nothing valid can be made of the file.
  irr::scene::IAnimatedMesh* createMesh(irr::io::IReadFile* file) override;

 private:
  irr::scene::ISceneManager* scenes_;
};

}  // namespace tk
