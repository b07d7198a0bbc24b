#include "base/files/file_layer.h"

#include "base/files/device_file_layer.h"
#include "base/files/plain_file_layer.h"

namespace tk {
namespace {

struct LayerState {
  std::unique_ptr<FileLayer> layer = std::make_unique<PlainFileLayer>();
  bool device = false;
  std::string baseDirectory;
};

LayerState& state() {
  static LayerState s;
  return s;
}

}  // namespace

const char* const kResolverFolders[7] = {"shaders",     "shadersPP",    "shadersPP2", "shadersSURF",
                                         "shadersSURF2", "shadersHV", "textures"};

void installPlainFileLayer() {
  state().layer = std::make_unique<PlainFileLayer>();
  state().device = false;
}

void installDeviceFileLayer(irr::io::IFileSystem* fileSystem) {
  state().layer = std::make_unique<DeviceFileLayer>(fileSystem);
  state().device = true;
}

FileLayer& fileLayer() { return *state().layer; }
bool deviceFileLayerInstalled() { return state().device; }

TkFilePtr openFile(const char* name, const char* mode) { return fileLayer().open(name, mode); }

bool fileExists(const char* name) { return openFile(name, "rb") != nullptr; }

bool readWholeFile(const char* name, std::string* contents) {
  TkFilePtr file = openFile(name, "rb");
  if (!file) return false;
  contents->clear();
  char block[65536];
  size_t got;
  while ((got = file->read(block, 1, sizeof block)) > 0) contents->append(block, got);
  return true;
}

void setBaseDirectory(const char* path) {
  std::string base = path ? path : "";
  if (!base.empty() && base.back() != '/' && base.back() != '\\') base += '/';
  state().baseDirectory = base;
}

const std::string& baseDirectory() { return state().baseDirectory; }

std::string resolveFile(const char* name) {
  if (fileExists(name)) return name;
  for (const char* folder : kResolverFolders) {
    std::string candidate = std::string(folder) + "/" + name;
    if (fileExists(candidate.c_str())) return candidate;
  }
  const std::string& base = baseDirectory();
  std::string direct = base + name;
  if (fileExists(direct.c_str())) return direct;
  for (const char* folder : kResolverFolders) {
    std::string candidate = base + folder + "/" + name;
    if (fileExists(candidate.c_str())) return candidate;
  }
  return name;
}

}  // namespace tk
