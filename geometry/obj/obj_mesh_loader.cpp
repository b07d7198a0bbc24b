#include "geometry/obj/obj_mesh_loader.h"

#include <tiny_obj_loader.h>

#include <algorithm>
#include <exception>
#include <sstream>
#include <string_view>

#include "base/log.h"
#include "geometry/mesh_loading.h"
#include "geometry/obj/obj_material_files.h"
#include "geometry/obj/obj_mesh_builder.h"
#include "geometry/read_file_text.h"

namespace tk {
namespace {

// The text as the reader should see it to read what the display library read:
// '\' in a material library's name (an escape to the reader) is a folder
// separator written on Windows and becomes '/'; "g" and "usemtl" lines
// without a name (which the reader skips) still start the default group and
// select the default material.
std::string preparedText(const std::string& text) {
  std::string prepared;
  prepared.reserve(text.size());
  size_t line = 0;
  while (line <= text.size()) {
    size_t end = text.find_first_of("\r\n", line);
    if (end == std::string::npos) end = text.size();
    std::string content = text.substr(line, end - line);
    size_t start = content.find_first_not_of(" \t");
    std::string_view word = start == std::string::npos ? std::string_view() : std::string_view(content).substr(start);
    if (word.substr(0, 6) == "mtllib") std::replace(content.begin(), content.end(), '\\', '/');
    if (word == "g" || word == "usemtl") content += ' ';
    prepared += content;
    if (end < text.size()) prepared += text[end];
    line = end + 1;
  }
  return prepared;
}

// The reader's remarks, a few of them: a damaged file can have one per line.
void reportReaderText(const char* fileName, const std::string& text) {
  constexpr int kShown = 5;
  std::istringstream lines(text);
  std::string line;
  int remarks = 0;
  while (std::getline(lines, line)) {
    if (line.empty()) continue;
    if (remarks++ < kShown) log(LOG_WARN, "OBJ file '%s': %s", fileName, line.c_str());
  }
  if (remarks > kShown) log(LOG_WARN, "OBJ file '%s': %d more remarks", fileName, remarks - kShown);
}

irr::scene::IAnimatedMesh* readObjMesh(irr::scene::ISceneManager* scenes, irr::io::IReadFile* file) {
  const char* fileName = file->getFileName().c_str();
  const std::string text = preparedText(readFileText(file));
  const irr::io::path folder = scenes->getFileSystem()->getFileDir(file->getFileName()) + "/";
  ObjMaterialFiles materialFiles(scenes->getFileSystem(), folder);
  ObjMeshBuilder builder(scenes, folder, materialFiles);
  const bool useMaterials = !scenes->getParameters()->getAttributeAsBool(irr::scene::OBJ_LOADER_IGNORE_MATERIAL_FILES);
  std::istringstream in(text);
  std::string warning, error;
  tinyobj::LoadObjWithCallback(in, ObjMeshBuilder::callbacks(), &builder, useMaterials ? &materialFiles : nullptr,
                               &warning, &error);
  reportReaderText(fileName, warning + error);
  if (builder.skippedFaces() > 0)
    log(LOG_WARN, "OBJ file '%s': %zu faces name points, UVs or normals the file does not have; they are left out",
        fileName, builder.skippedFaces());
  irr::scene::IAnimatedMesh* mesh = builder.finish();
  if (!mesh) log(LOG_WARN, "OBJ file '%s' has no faces to show", fileName);
  return mesh;
}

}  // namespace

bool CTkObjMeshLoader::isALoadableFileExtension(const irr::io::path& name) const {
  return irr::core::hasFileExtension(name, "obj");
}

irr::scene::IAnimatedMesh* CTkObjMeshLoader::createMesh(irr::io::IReadFile* file) {
  irr::scene::IAnimatedMesh* mesh = nullptr;
  try {
    mesh = readObjMesh(scenes_, file);
  } catch (const std::exception& e) {
    log(LOG_WARN, "OBJ file '%s' cannot be read: %s", file->getFileName().c_str(), e.what());
  }
  return mesh ? mesh : refusedMesh();
}

}  // namespace tk
