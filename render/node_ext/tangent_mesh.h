#pragma once
// A copy of a mesh with tangents. Unlike the display library's own copy, it
// keeps every vertex where it was (same buffers, same vertex order, same
// indices) and, when asked, the second UV set: the display library feeds a
// tangent vertex's tangent as texture coordinate 1 and its binormal as
// texture coordinate 2, and the surface effects read the second UV set from
// the x and y of that third coordinate (they rebuild the binormal from the
// tangent and the normal).

#include <irrlicht.h>

namespace tk {

// A new mesh (one reference, the caller's); null when a buffer has 32-bit
// indices, which tangent buffers cannot hold.
irr::scene::IMesh* createTangentMesh(irr::scene::IMesh* mesh, const irr::scene::IMeshManipulator& manipulator,
                                     bool keepSecondUV);

}  // namespace tk
