#include "render/node_ext/tangent_mesh.h"

namespace tk {
namespace {

using irr::video::S3DVertexTangents;

// The vertex as a tangent vertex, the second UV set (when wanted) in the
// binormal's x and y.
S3DVertexTangents tangentVertex(const irr::scene::IMeshBuffer& buffer, irr::u32 i, bool keepSecondUV) {
  const void* vertices = buffer.getVertices();
  switch (buffer.getVertexType()) {
    case irr::video::EVT_2TCOORDS: {
      const auto& v = static_cast<const irr::video::S3DVertex2TCoords*>(vertices)[i];
      S3DVertexTangents out(v.Pos, v.Normal, v.Color, v.TCoords);
      if (keepSecondUV) out.Binormal.set(v.TCoords2.X, v.TCoords2.Y, 0);
      return out;
    }
    case irr::video::EVT_TANGENTS: return static_cast<const S3DVertexTangents*>(vertices)[i];
    default: {
      const auto& v = static_cast<const irr::video::S3DVertex*>(vertices)[i];
      return S3DVertexTangents(v.Pos, v.Normal, v.Color, v.TCoords);
    }
  }
}

irr::scene::SMeshBufferTangents* tangentBuffer(const irr::scene::IMeshBuffer& source,
                                                const irr::scene::IMeshManipulator& manipulator, bool keepSecondUV) {
  auto* buffer = new irr::scene::SMeshBufferTangents();
  buffer->Material = source.getMaterial();
  const irr::u32 vertexCount = source.getVertexCount();
  buffer->Vertices.reallocate(vertexCount);
  for (irr::u32 i = 0; i < vertexCount; ++i) buffer->Vertices.push_back(tangentVertex(source, i, false));
  const irr::u16* indices = source.getIndices();
  buffer->Indices.reallocate(source.getIndexCount());
  for (irr::u32 i = 0; i < source.getIndexCount(); ++i) buffer->Indices.push_back(indices[i]);
  manipulator.recalculateTangents(buffer, false, false, false);
  // The tangents are computed first: they overwrite the binormals.
  if (keepSecondUV && source.getVertexType() == irr::video::EVT_2TCOORDS)
    for (irr::u32 i = 0; i < vertexCount; ++i) buffer->Vertices[i].Binormal = tangentVertex(source, i, true).Binormal;
  buffer->recalculateBoundingBox();
  return buffer;
}

}  // namespace

irr::scene::IMesh* createTangentMesh(irr::scene::IMesh* mesh, const irr::scene::IMeshManipulator& manipulator,
                                     bool keepSecondUV) {
  if (!mesh) return nullptr;
  for (irr::u32 b = 0; b < mesh->getMeshBufferCount(); ++b)
    if (mesh->getMeshBuffer(b)->getIndexType() != irr::video::EIT_16BIT) return nullptr;
  auto* copy = new irr::scene::SMesh();
  for (irr::u32 b = 0; b < mesh->getMeshBufferCount(); ++b) {
    irr::scene::SMeshBufferTangents* buffer = tangentBuffer(*mesh->getMeshBuffer(b), manipulator, keepSecondUV);
    copy->addMeshBuffer(buffer);
    buffer->drop();
  }
  copy->recalculateBoundingBox();
  return copy;
}

}  // namespace tk
