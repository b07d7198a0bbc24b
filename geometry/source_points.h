#pragma once
// Every vertex of a loaded mesh remembers the point of the source file it came
// from (its index in the file's point list), so that data addressed by file
// point (point caches, morph targets) can be applied to the merged vertices.
// Loaders that know it build their buffers as CTkSourcedMeshBuffer; anyone who
// holds a buffer asks sourcePoints().

#include <irrlicht.h>

#include <vector>

namespace tk {

// The source point of each vertex of `buffer`, in vertex order; null when the
// buffer was not made by a loader that keeps them.
const std::vector<irr::u32>* sourcePoints(const irr::scene::IMeshBuffer* buffer);

namespace detail {
void rememberSourcePoints(const irr::scene::IMeshBuffer* buffer, const std::vector<irr::u32>* points);
void forgetSourcePoints(const irr::scene::IMeshBuffer* buffer);
}  // namespace detail

// A display-library mesh buffer with its table of source points, which lives
// and dies with the buffer.
template <class Vertex>
class CTkSourcedMeshBuffer : public irr::scene::CMeshBuffer<Vertex> {
 public:
  CTkSourcedMeshBuffer() { detail::rememberSourcePoints(this, &SourcePoints); }
  ~CTkSourcedMeshBuffer() override { detail::forgetSourcePoints(this); }
  CTkSourcedMeshBuffer(const CTkSourcedMeshBuffer&) = delete;
  CTkSourcedMeshBuffer& operator=(const CTkSourcedMeshBuffer&) = delete;

  // One entry per vertex, named like the library's own public arrays.
  std::vector<irr::u32> SourcePoints;
};

using CTkSourcedStandardBuffer = CTkSourcedMeshBuffer<irr::video::S3DVertex>;
using CTkSourcedTangentsBuffer = CTkSourcedMeshBuffer<irr::video::S3DVertexTangents>;

}  // namespace tk
