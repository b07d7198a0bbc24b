#include "geometry/obj/obj_material_files.h"

#include <sstream>

#include "geometry/obj/mtl_statements.h"
#include "geometry/read_file_text.h"

namespace tk {
namespace {

// The parser hands over the rest of the "mtllib" line split at spaces; the
// display library used its first word.
std::string firstWord(const std::string& text) {
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string::npos) return std::string();
  size_t end = text.find_first_of(" \t", start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

ObjMaterialFiles::ObjMaterialFiles(irr::io::IFileSystem* files, const irr::io::path& objFolder)
    : files_(files), objFolder_(objFolder) {}

irr::io::IReadFile* ObjMaterialFiles::open(const irr::io::path& name) const {
  const irr::io::path baseName = files_->getFileBasename(name);
  for (const irr::io::path& candidate : {name, objFolder_ + name, baseName}) {
    if (files_->existFile(candidate)) return files_->createAndOpenFile(candidate);
  }
  return files_->createAndOpenFile(objFolder_ + baseName);
}

bool ObjMaterialFiles::operator()(const std::string& name, std::vector<tinyobj::material_t>* materials,
                                  std::map<std::string, int>* names, std::string* warning, std::string*) {
  const std::string fileName = firstWord(name);
  if (fileName.empty()) return false;
  irr::io::IReadFile* file = open(fileName.c_str());
  if (!file) {
    *warning += "cannot open material file '" + fileName + "'\n";
    return false;
  }
  std::string text = readFileText(file);
  file->drop();
  if (text.empty()) {
    *warning += "material file '" + fileName + "' is empty\n";
    return false;
  }
  std::istringstream in(text);
  const size_t before = materials->size();
  std::string parseWarning, parseError;
  tinyobj::LoadMtl(names, materials, &in, &parseWarning, &parseError);
  *warning += parseWarning;
  // Keep the statement masks parallel to the parser's list; should the two
  // readings ever disagree, every value the parser read counts as stated.
  std::vector<unsigned> stated = scanMtlStatements(text);
  if (stated.size() != materials->size() - before) stated.assign(materials->size() - before, kMtlEverything);
  statements_.resize(before, kMtlEverything);
  statements_.insert(statements_.end(), stated.begin(), stated.end());
  return true;
}

unsigned ObjMaterialFiles::statementsOf(size_t index) const {
  return index < statements_.size() ? statements_[index] : kMtlEverything;
}

}  // namespace tk
