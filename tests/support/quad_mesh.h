#pragma once
// A 2 x 2 quad in the z = 0 plane facing -z (towards a camera on the -z side),
// its texture upright: u grows to the right, v downwards. With a vertex type
// that has a second UV set, that set is the first mirrored left to right, so
// a test can tell which set reached a sampler.

#include <irrlicht.h>

#include <type_traits>

namespace tk::test {

// The caller owns the mesh's one reference.
template <typename Buffer>
irr::scene::IMesh* makeQuadMesh() {
  auto* buffer = new Buffer();
  const float corners[4][4] = {{-1, 1, 0, 0}, {1, 1, 1, 0}, {1, -1, 1, 1}, {-1, -1, 0, 1}};  // x, y, u, v
  for (const auto& c : corners) {
    buffer->Vertices.push_back({});
    auto& v = buffer->Vertices.getLast();
    v.Pos.set(c[0], c[1], 0);
    v.Normal.set(0, 0, -1);
    v.Color = irr::video::SColor(255, 255, 255, 255);
    v.TCoords.set(c[2], c[3]);
    if constexpr (std::is_same_v<Buffer, irr::scene::SMeshBufferLightMap>) v.TCoords2.set(1 - c[2], c[3]);
  }
  for (irr::u16 index : {0, 1, 2, 0, 2, 3}) buffer->Indices.push_back(index);
  buffer->recalculateBoundingBox();
  auto* mesh = new irr::scene::SMesh();
  mesh->addMeshBuffer(buffer);
  mesh->recalculateBoundingBox();
  buffer->drop();
  return mesh;
}

}  // namespace tk::test
