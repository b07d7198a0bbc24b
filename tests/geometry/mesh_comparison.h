#pragma once
// Compares meshes made by two loaders: buffers, vertices, indices, materials.

#include <gtest/gtest.h>
#include <irrlicht.h>

#include <cmath>
#include <string>

namespace tk::test {

// The mesh `loader` makes of the file at `path` (the caller drops it).
inline irr::scene::IAnimatedMesh* meshByLoader(irr::scene::IMeshLoader* loader, irr::IrrlichtDevice* device,
                                               const std::string& path) {
  irr::io::IReadFile* file = device->getFileSystem()->createAndOpenFile(path.c_str());
  if (!file) return nullptr;
  irr::scene::IAnimatedMesh* mesh = loader->createMesh(file);
  file->drop();
  return mesh;
}

template <class Vertex>
inline const Vertex& vertexAt(const irr::scene::IMeshBuffer* b, irr::u32 i) {
  return static_cast<const Vertex*>(b->getVertices())[i];
}

// The common part of a vertex of any of the library's vertex types.
inline const irr::video::S3DVertex& baseVertex(const irr::scene::IMeshBuffer* b, irr::u32 i) {
  switch (b->getVertexType()) {
    case irr::video::EVT_2TCOORDS: return vertexAt<irr::video::S3DVertex2TCoords>(b, i);
    case irr::video::EVT_TANGENTS: return vertexAt<irr::video::S3DVertexTangents>(b, i);
    default: return vertexAt<irr::video::S3DVertex>(b, i);
  }
}

// Decimal text read by two parsers may differ in the last bit; a normal both
// loaders leave undefined counts as the same.
inline bool near(float a, float b) { return a == b || std::fabs(a - b) <= 1e-5f || (std::isnan(a) && std::isnan(b)); }

inline void expectNear(const irr::core::vector3df& a, const irr::core::vector3df& b, const std::string& what) {
  EXPECT_TRUE(near(a.X, b.X) && near(a.Y, b.Y) && near(a.Z, b.Z))
      << what << ": (" << a.X << ", " << a.Y << ", " << a.Z << ") vs (" << b.X << ", " << b.Y << ", " << b.Z << ")";
}

inline void expectSameVertex(const irr::scene::IMeshBuffer* ours, const irr::scene::IMeshBuffer* theirs, irr::u32 i,
                             const std::string& where) {
  const auto& a = baseVertex(ours, i);
  const auto& b = baseVertex(theirs, i);
  const std::string what = where + " vertex " + std::to_string(i);
  expectNear(a.Pos, b.Pos, what + " position");
  expectNear(a.Normal, b.Normal, what + " normal");
  EXPECT_TRUE(near(a.TCoords.X, b.TCoords.X) && near(a.TCoords.Y, b.TCoords.Y))
      << what << " UV: (" << a.TCoords.X << ", " << a.TCoords.Y << ") vs (" << b.TCoords.X << ", " << b.TCoords.Y << ")";
  EXPECT_EQ(a.Color, b.Color) << what << " colour";
  if (ours->getVertexType() == irr::video::EVT_TANGENTS) {
    expectNear(vertexAt<irr::video::S3DVertexTangents>(ours, i).Tangent,
               vertexAt<irr::video::S3DVertexTangents>(theirs, i).Tangent, what + " tangent");
  }
}

inline void expectSameBuffer(const irr::scene::IMeshBuffer* ours, const irr::scene::IMeshBuffer* theirs,
                             const std::string& where) {
  ASSERT_EQ(ours->getVertexType(), theirs->getVertexType()) << where;
  ASSERT_EQ(ours->getVertexCount(), theirs->getVertexCount()) << where;
  ASSERT_EQ(ours->getIndexCount(), theirs->getIndexCount()) << where;
  for (irr::u32 i = 0; i < ours->getVertexCount(); ++i) expectSameVertex(ours, theirs, i, where);
  for (irr::u32 i = 0; i < ours->getIndexCount(); ++i)
    ASSERT_EQ(ours->getIndices()[i], theirs->getIndices()[i]) << where << " index " << i;
  EXPECT_TRUE(ours->getMaterial() == theirs->getMaterial()) << where << " material";
  EXPECT_TRUE(ours->getBoundingBox().MinEdge.equals(theirs->getBoundingBox().MinEdge, 1e-5f)) << where;
}

inline void expectSameMesh(irr::scene::IAnimatedMesh* ours, irr::scene::IAnimatedMesh* theirs,
                           const std::string& name) {
  ASSERT_TRUE(ours) << name;
  ASSERT_TRUE(theirs) << name;
  EXPECT_EQ(ours->getMeshType(), theirs->getMeshType()) << name;
  EXPECT_EQ(ours->getFrameCount(), theirs->getFrameCount()) << name;
  irr::scene::IMesh* a = ours->getMesh(0);
  irr::scene::IMesh* b = theirs->getMesh(0);
  ASSERT_EQ(a->getMeshBufferCount(), b->getMeshBufferCount()) << name;
  for (irr::u32 i = 0; i < a->getMeshBufferCount(); ++i)
    expectSameBuffer(a->getMeshBuffer(i), b->getMeshBuffer(i), name + " buffer " + std::to_string(i));
}

}  // namespace tk::test
