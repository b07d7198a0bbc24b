#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "api/object_commands.h"
#include "fuzz/engine/fuzz_inputs.h"
#include "render/engine.h"
#include "startup/sys_setup.h"

namespace tk::fuzz {
namespace {

// Every mesh format a file can reach the display library's loaders with through
// LoadObject: the engine's own (.obj, .x, .lwo) first, then the library's others.
const char* const kMeshExtensions[] = {".obj", ".x",    ".lwo",  ".3ds", ".b3d",  ".bsp",     ".md2",
                                       ".md3", ".ms3d", ".my3d", ".oct", ".mesh", ".irrmesh", ".csm",
                                       ".dmf", ".lmts", ".stl",  ".ply", ".smf",  ".dae",     ".xml"};

void writeBytes(const std::filesystem::path& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

const char* meshFileExtension(uint8_t first) {
  return kMeshExtensions[first % (sizeof kMeshExtensions / sizeof *kMeshExtensions)];
}

int meshFile(const uint8_t* data, size_t size) {
  prepareProcess();
  if (size == 0) return 0;
  const char* extension = meshFileExtension(data[0]);
  const uint8_t* body = data + 1;
  size_t bodySize = size - 1;
  // An OBJ input carries its material library "fuzz.mtl" after its first NUL byte.
  size_t materialStart = bodySize;
  if (std::strcmp(extension, ".obj") == 0)
    for (size_t i = 0; i < bodySize; ++i)
      if (body[i] == 0) {
        materialStart = i;
        break;
      }
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tesk-mesh-fuzz-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path mesh = folder / (std::string("fuzz") + extension);
  writeBytes(mesh, body, materialStart);
  if (materialStart < bodySize) writeBytes(folder / "fuzz.mtl", body + materialStart + 1, bodySize - materialStart - 1);

  SysSetup setup;
  if (tkSysSetup(setup) == 0) {
    if (LoadObject(mesh.c_str(), 1) == 0) DeleteObject(1);
    tkSysShutdown();
  }
  std::filesystem::remove_all(folder);
  return 0;
}

}  // namespace tk::fuzz
