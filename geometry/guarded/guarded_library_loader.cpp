#include "geometry/guarded/guarded_library_loader.h"

#include "base/log.h"
#include "geometry/guarded/trial_load.h"
#include "geometry/guarded/zero_filled_read_file.h"
#include "geometry/mesh_loading.h"
#include "geometry/read_file_text.h"

namespace tk {

CTkGuardedLibraryLoader::CTkGuardedLibraryLoader(irr::scene::ISceneManager* scenes) {
  for (irr::u32 i = 0; i < scenes->getMeshLoaderCount(); ++i) {
    irr::scene::IMeshLoader* loader = scenes->getMeshLoader(i);
    loader->grab();
    libraryLoaders_.push_back(loader);
  }
}

CTkGuardedLibraryLoader::~CTkGuardedLibraryLoader() {
  for (irr::scene::IMeshLoader* loader : libraryLoaders_) loader->drop();
}

bool CTkGuardedLibraryLoader::isALoadableFileExtension(const irr::io::path& name) const {
  for (irr::scene::IMeshLoader* loader : libraryLoaders_)
    if (loader->isALoadableFileExtension(name)) return true;
  return false;
}

// The loaders are asked as the scene manager asks them: the last added first.
irr::scene::IAnimatedMesh* CTkGuardedLibraryLoader::loadWithLibrary(const std::string& bytes,
                                                                    const irr::io::path& name) {
  for (auto loader = libraryLoaders_.rbegin(); loader != libraryLoaders_.rend(); ++loader) {
    if (!(*loader)->isALoadableFileExtension(name)) continue;
    irr::io::IReadFile* file = new CTkZeroFilledReadFile(bytes, name);
    irr::scene::IAnimatedMesh* mesh = (*loader)->createMesh(file);
    file->drop();
    if (mesh) return mesh;
  }
  return nullptr;
}

irr::scene::IAnimatedMesh* CTkGuardedLibraryLoader::createMesh(irr::io::IReadFile* file) {
  const irr::io::path name = file->getFileName();
  const std::string bytes = readFileText(file);
  const TrialLoad trial = trialLoad(bytes, name);
  irr::scene::IAnimatedMesh* mesh = trial == TrialLoad::Loaded ? loadWithLibrary(bytes, name) : nullptr;
  if (trial != TrialLoad::Loaded && trial != TrialLoad::Refused)
    log(LOG_WARN, "Mesh file '%s' is %s", name.c_str(), trialLoadText(trial));
  return mesh ? mesh : refusedMesh();
}

}  // namespace tk
