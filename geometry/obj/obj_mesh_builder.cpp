#include "geometry/obj/obj_mesh_builder.h"

#include <algorithm>

#include "geometry/obj/obj_material_files.h"
#include "geometry/obj/obj_material_mapping.h"

namespace tk {
namespace {

using irr::core::vector2df;
using irr::core::vector3df;

std::string firstWord(const char* text) {
  std::string s(text ? text : "");
  size_t start = s.find_first_not_of(" \t");
  if (start == std::string::npos) return std::string();
  size_t end = s.find_first_of(" \t", start);
  return s.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// An OBJ index (1-based, or negative from the end of the list so far, 0 for
// none) as a list position; -1 for none, -2 when it lies outside the list.
irr::s64 listPosition(int written, size_t listSize) {
  if (written == 0) return -1;
  irr::s64 position = written > 0 ? irr::s64(written) - 1 : irr::s64(listSize) + written;
  return position >= 0 && position < irr::s64(listSize) ? position : -2;
}

ObjMeshBuilder* builderOf(void* data) { return static_cast<ObjMeshBuilder*>(data); }

}  // namespace

struct ObjMeshBuilder::Slot {
  Slot(const std::string& materialName, const std::string& groupName, const irr::video::SMaterial& material)
      : name(materialName), group(groupName), buffer(new CTkSourcedStandardBuffer) {
    buffer->Material = material;
  }
  ~Slot() { buffer->drop(); }
  Slot(const Slot&) = delete;
  Slot& operator=(const Slot&) = delete;

  std::string name, group;
  CTkSourcedStandardBuffer* buffer;
  irr::core::map<irr::video::S3DVertex, irr::u32> corners;  // the library's own map, for the same merge
  bool recalculateNormals = false;
};

ObjMeshBuilder::ObjMeshBuilder(irr::scene::ISceneManager* scenes, const irr::io::path& objFolder,
                               const ObjMaterialFiles& files)
    : scenes_(scenes),
      objFolder_(objFolder),
      files_(files),
      useGroups_(!scenes->getParameters()->getAttributeAsBool(irr::scene::OBJ_LOADER_IGNORE_GROUPS)) {
  current_ = addSlot("", "", objDefaultMaterial());
}

ObjMeshBuilder::~ObjMeshBuilder() = default;

tinyobj::callback_t ObjMeshBuilder::callbacks() {
  tinyobj::callback_t c;
  c.vertex_cb = [](void* data, float x, float y, float z, float) { builderOf(data)->points_.emplace_back(-x, y, z); };
  c.normal_cb = [](void* data, float x, float y, float z) { builderOf(data)->normals_.emplace_back(-x, y, z); };
  c.texcoord_cb = [](void* data, float u, float v, float) { builderOf(data)->uvs_.emplace_back(u, 1.0f - v); };
  c.index_cb = [](void* data, tinyobj::index_t* indices, int count) { builderOf(data)->addFace(indices, count); };
  c.usemtl_cb = [](void* data, const char* name, int) { builderOf(data)->useMaterial(name); };
  c.mtllib_cb = [](void* data, const tinyobj::material_t* materials, int count) {
    builderOf(data)->addMaterials(materials, count);
  };
  c.group_cb = [](void* data, const char** names, int count) { builderOf(data)->startGroup(names, count); };
  return c;
}

// The reader passes every material read so far; the new ones follow the last seen.
void ObjMeshBuilder::addMaterials(const tinyobj::material_t* materials, int count) {
  for (int i = materialsSeen_; i < count; ++i) {
    std::string name = firstWord(materials[i].name.c_str());
    if (name.empty()) continue;
    addSlot(name, "", objMaterial(materials[i], files_.statementsOf(i), scenes_, objFolder_));
  }
  materialsSeen_ = std::max(materialsSeen_, count);
}

void ObjMeshBuilder::useMaterial(const char* name) {
  materialName_ = firstWord(name);
  materialChanged_ = true;
}

void ObjMeshBuilder::startGroup(const char* const* names, int count) {
  if (useGroups_) {
    groupName_ = count > 0 ? firstWord(names[0]) : std::string();
    if (groupName_.empty()) groupName_ = "default";
  }
  materialChanged_ = true;
}

// The slot of the current material and group: an exact match, else a new
// slot for this group copied from the last slot of that material, else (in a
// group) one copied from the default material; null keeps the current slot.
ObjMeshBuilder::Slot* ObjMeshBuilder::findSlot() {
  auto exact = firstOfMaterialAndGroup_.find({materialName_, groupName_});
  if (exact != firstOfMaterialAndGroup_.end()) return exact->second;
  auto sameMaterial = lastOfMaterial_.find(materialName_);
  Slot* source = sameMaterial != lastOfMaterial_.end() ? sameMaterial->second
                 : groupName_.empty()                  ? nullptr
                                                       : slots_.front().get();
  if (!source) return nullptr;
  return addSlot(source->name, groupName_, source->buffer->Material);
}

ObjMeshBuilder::Slot* ObjMeshBuilder::addSlot(const std::string& materialName, const std::string& groupName,
                                              const irr::video::SMaterial& material) {
  slots_.push_back(std::make_unique<Slot>(materialName, groupName, material));
  Slot* slot = slots_.back().get();
  firstOfMaterialAndGroup_.emplace(std::make_pair(materialName, groupName), slot);
  lastOfMaterial_[materialName] = slot;
  return slot;
}

bool ObjMeshBuilder::resolveFace(const tinyobj::index_t* indices, int count, std::vector<Corner>* corners) const {
  for (int i = 0; i < count; ++i) {
    irr::s64 point = listPosition(indices[i].vertex_index, points_.size());
    irr::s64 uv = listPosition(indices[i].texcoord_index, uvs_.size());
    irr::s64 normal = listPosition(indices[i].normal_index, normals_.size());
    if (point < 0 || uv == -2 || normal == -2) return false;
    corners->push_back({irr::u32(point), irr::s32(uv), irr::s32(normal)});
  }
  return true;
}

irr::u32 ObjMeshBuilder::addCorner(Slot* slot, const Corner& corner) {
  irr::video::S3DVertex v;
  v.Pos = points_[corner.point];
  v.TCoords = corner.uv >= 0 ? uvs_[corner.uv] : vector2df(0.0f, 0.0f);
  v.Normal = corner.normal >= 0 ? normals_[corner.normal] : vector3df(0.0f, 0.0f, 0.0f);
  if (corner.normal < 0) slot->recalculateNormals = true;
  v.Color = slot->buffer->Material.DiffuseColor;
  if (auto* known = slot->corners.find(v)) return known->getValue();
  const irr::u32 location = slot->buffer->Vertices.size();
  slot->buffer->Vertices.push_back(v);
  slot->buffer->SourcePoints.push_back(corner.point);
  slot->corners.insert(v, location);
  return location;
}

void ObjMeshBuilder::addFace(const tinyobj::index_t* indices, int count) {
  if (materialChanged_) {
    if (Slot* slot = findSlot()) current_ = slot;
    materialChanged_ = false;
  }
  std::vector<Corner> corners;
  if (!resolveFace(indices, count, &corners)) {
    ++skippedFaces_;
    return;
  }
  std::vector<irr::u32> locations;
  for (const Corner& corner : corners) locations.push_back(addCorner(current_, corner));
  // A fan with the winding reversed, as X is mirrored; 16-bit indices as the library's buffers hold them.
  auto& out = current_->buffer->Indices;
  for (size_t i = 1; i + 1 < locations.size(); ++i) {
    out.push_back(static_cast<irr::u16>(locations[i + 1]));
    out.push_back(static_cast<irr::u16>(locations[i]));
    out.push_back(static_cast<irr::u16>(locations[0]));
  }
}

namespace {

// The tangent-space copy of a buffer, with each vertex keeping its source point.
CTkSourcedTangentsBuffer* withTangents(CTkSourcedStandardBuffer* buffer, irr::scene::IMeshManipulator* manipulator) {
  irr::scene::SMesh single;
  single.addMeshBuffer(buffer);
  irr::scene::IMesh* converted = manipulator->createMeshWithTangents(&single);
  auto* made = static_cast<irr::scene::SMeshBufferTangents*>(converted->getMeshBuffer(0));
  auto* sourced = new CTkSourcedTangentsBuffer;
  sourced->Material = made->Material;
  sourced->Vertices = made->Vertices;
  sourced->Indices = made->Indices;
  sourced->BoundingBox = made->BoundingBox;
  // Both index lists walk the same corners; the first corner to reach a vertex names its point.
  sourced->SourcePoints.assign(sourced->Vertices.size(), 0);
  for (irr::u32 i = made->Indices.size(); i-- > 0;)
    sourced->SourcePoints[made->Indices[i]] = buffer->SourcePoints[buffer->Indices[i]];
  converted->drop();
  return sourced;
}

}  // namespace

// The finished buffer of a slot, grabbed for the caller.
irr::scene::IMeshBuffer* ObjMeshBuilder::finishBuffer(Slot* slot) {
  slot->buffer->recalculateBoundingBox();
  if (slot->recalculateNormals) scenes_->getMeshManipulator()->recalculateNormals(slot->buffer);
  if (slot->buffer->Material.MaterialType == irr::video::EMT_PARALLAX_MAP_SOLID)
    return withTangents(slot->buffer, scenes_->getMeshManipulator());
  slot->buffer->grab();
  return slot->buffer;
}

irr::scene::IAnimatedMesh* ObjMeshBuilder::finish() {
  auto* mesh = new irr::scene::SMesh;
  for (const auto& slot : slots_) {
    if (slot->buffer->getIndexCount() == 0) continue;
    irr::scene::IMeshBuffer* buffer = finishBuffer(slot.get());
    mesh->addMeshBuffer(buffer);
    buffer->drop();
  }
  irr::scene::SAnimatedMesh* animated = nullptr;
  if (mesh->getMeshBufferCount() > 0) {
    mesh->recalculateBoundingBox();
    animated = new irr::scene::SAnimatedMesh;
    animated->Type = irr::scene::EAMT_OBJ;
    animated->addMesh(mesh);
    animated->recalculateBoundingBox();
  }
  mesh->drop();
  return animated;
}

}  // namespace tk
