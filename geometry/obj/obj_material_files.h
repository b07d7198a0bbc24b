#pragma once
// Material libraries named by an OBJ file, found and read through the display
// library's file system the way its own OBJ loader finds them (the name as
// given, beside the OBJ file, then their base names), parsed by tinyobjloader.

#include <irrlicht.h>
#include <tiny_obj_loader.h>

#include <string>
#include <vector>

namespace tk {

class ObjMaterialFiles : public tinyobj::MaterialReader {
 public:
  // `objFolder` is the OBJ file's folder with a trailing '/'.
  ObjMaterialFiles(irr::io::IFileSystem* files, const irr::io::path& objFolder);

  bool operator()(const std::string& name, std::vector<tinyobj::material_t>* materials,
                  std::map<std::string, int>* names, std::string* warning, std::string* error) override;

  // Mask of MtlStatement for material `index` of the parser's list.
  unsigned statementsOf(size_t index) const;

 private:
  irr::io::IReadFile* open(const irr::io::path& name) const;

  irr::io::IFileSystem* files_;
  irr::io::path objFolder_;
  std::vector<unsigned> statements_;  // parallel to the parser's material list
};

}  // namespace tk
