#pragma once
// The display library's own mesh loaders (every format but OBJ), asked only
// for files that a trial load in a child process read cleanly. Registered
// ahead of them, it answers every file of their extensions: a mesh made by the
// library's loaders in their usual order, or a refused mesh, so that a damaged
// file never reaches them in the engine's process.

#include <irrlicht.h>

#include <string>
#include <vector>

namespace tk {

class CTkGuardedLibraryLoader : public irr::scene::IMeshLoader {
 public:
  // Takes the scene manager's loaders as they are: call it before adding the engine's.
  explicit CTkGuardedLibraryLoader(irr::scene::ISceneManager* scenes);
  ~CTkGuardedLibraryLoader() override;

  bool isALoadableFileExtension(const irr::io::path& name) const override;
  irr::scene::IAnimatedMesh* createMesh(irr::io::IReadFile* file) override;

 private:
  irr::scene::IAnimatedMesh* loadWithLibrary(const std::string& bytes, const irr::io::path& name);

  std::vector<irr::scene::IMeshLoader*> libraryLoaders_;  // grabbed, in the manager's order
};

}  // namespace tk
