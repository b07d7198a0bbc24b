#pragma once
// Builds display-library meshes from the events of tinyobjloader's streaming
// reader, the way the display library's own OBJ loader does: X mirrored (and
// V flipped), one buffer per material and group, corners of equal position,
// normal, colour and UV merged, polygons fanned with the mirrored winding,
// flat normals where a corner has none. It also keeps, for every vertex, the
// OBJ point it came from, and leaves out faces that name points, UVs or
// normals the file does not have.

#include <irrlicht.h>
#include <tiny_obj_loader.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "geometry/source_points.h"

namespace tk {

class ObjMaterialFiles;

class ObjMeshBuilder {
 public:
  ObjMeshBuilder(irr::scene::ISceneManager* scenes, const irr::io::path& objFolder, const ObjMaterialFiles& files);
  ~ObjMeshBuilder();

  // The reader's callbacks, with this builder as their user data.
  static tinyobj::callback_t callbacks();

  // The mesh of every face read so far (the caller owns it), or null when no
  // face made a triangle.
  irr::scene::IAnimatedMesh* finish();

  // Faces left out because they name what the file does not have.
  size_t skippedFaces() const { return skippedFaces_; }

 private:
  struct Slot;
  struct Corner {
    irr::u32 point;
    irr::s32 uv, normal;  // -1 when the corner has none
  };

  void addMaterials(const tinyobj::material_t* materials, int count);
  void useMaterial(const char* name);
  void startGroup(const char* const* names, int count);
  void addFace(const tinyobj::index_t* indices, int count);

  Slot* findSlot();
  Slot* addSlot(const std::string& materialName, const std::string& groupName, const irr::video::SMaterial& material);
  bool resolveFace(const tinyobj::index_t* indices, int count, std::vector<Corner>* corners) const;
  irr::u32 addCorner(Slot* slot, const Corner& corner);
  irr::scene::IMeshBuffer* finishBuffer(Slot* slot);

  irr::scene::ISceneManager* scenes_;
  irr::io::path objFolder_;
  const ObjMaterialFiles& files_;
  bool useGroups_;

  std::vector<irr::core::vector3df> points_, normals_;
  std::vector<irr::core::vector2df> uvs_;
  std::vector<std::unique_ptr<Slot>> slots_;  // slot 0: the default material
  // Lookups that keep findSlot fast on files with very many groups.
  std::map<std::pair<std::string, std::string>, Slot*> firstOfMaterialAndGroup_;
  std::map<std::string, Slot*> lastOfMaterial_;
  int materialsSeen_ = 0;
  Slot* current_;
  std::string materialName_, groupName_;
  bool materialChanged_ = false;
  size_t skippedFaces_ = 0;
};

}  // namespace tk
