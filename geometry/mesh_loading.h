#pragma once
// Mesh files as the engine loads them: its own loaders registered with the
// display library's scene manager ahead of the library's (the manager asks
// the most recently added loader first), and one way to load a mesh by name.

#include <irrlicht.h>

namespace tk {

// Adds the engine's mesh loaders to `scenes`: its OBJ reader, and a guard in
// front of the display library's other loaders (guarded/); both answer before
// the library's loaders for the same extensions.
void registerMeshLoaders(irr::scene::ISceneManager* scenes);

// The mesh of file `path` (kept in the scene manager's mesh cache), or null
// when no loader makes one of it.
irr::scene::IAnimatedMesh* loadMesh(irr::scene::ISceneManager* scenes, const char* path);

// What an engine loader answers for a file it refuses: a mesh without frames.
// The scene manager hands a file to the next loader for its extension when
// one answers null, and for the formats the engine reads itself that next
// loader is the display library's own, which is not safe on the files refused;
// loadMesh turns this answer into a failure.
irr::scene::IAnimatedMesh* refusedMesh();

}  // namespace tk
