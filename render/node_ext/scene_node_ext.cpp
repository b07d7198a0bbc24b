#include "render/node_ext/scene_node_ext.h"

#include <algorithm>

#include "base/log.h"
#include "effects/runtime/effect.h"
#include "render/node_ext/node_mesh.h"
#include "render/node_ext/tangent_mesh.h"
#include "render/video_driver_ext.h"
#include "surfaces/texture_stand_in.h"

namespace tk {
namespace {

bool isStaticMeshNode(const irr::scene::ISceneNode* node) {
  return node && static_cast<irr::u32>(node->getType()) == kNodeTypeMesh;
}

// Only the texture and its sRGB choice travel: the sampler states stay the pass's.
void copyTextureOf(const STkTextureLayer& from, STkTextureLayer* to) {
  if (layerIsEmpty(from)) return;
  to->texture = from.texture;
  to->engineTexture = from.engineTexture;
  to->sRGB = from.sRGB;
}

void copyTextureLayers(const STkMaterial& from, STkMaterial* to) {
  for (int i = 0; i < kPixelLayerCount; ++i) copyTextureOf(from.pixelLayers[i], &to->pixelLayers[i]);
  for (int i = 0; i < kVertexLayerCount; ++i) copyTextureOf(from.vertexLayers[i], &to->vertexLayers[i]);
}

}  // namespace

CTkSceneNodeExt* findSceneNodeExt(irr::scene::ISceneNode* node) {
  if (!node) return nullptr;
  for (irr::scene::ISceneNodeAnimator* animator : node->getAnimators())
    if (animator->getType() == kNodeExtAnimatorType) return static_cast<CTkSceneNodeExt*>(animator);
  return nullptr;
}

CTkSceneNodeExt::CTkSceneNodeExt(irr::scene::ISceneNode* node, const STkNodeExtServices& services)
    : node_(node), services_(services), indirect_(new CTkIndirectTexture("TkNodeCubeMap")) {
  const irr::u32 count = node ? node->getMaterialCount() : 0;
  for (irr::u32 i = 0; i < count; ++i) {
    auto made = std::make_unique<STkNodeExtMaterial>();
    made->node = node;
    made->materialIndex = static_cast<int>(i);
    made->material = &made->layers;
    registerRecord(made.get());
    records_.push_back(std::move(made));
  }
  if (services_.registry) services_.registry->extensionMade(this);
}

CTkSceneNodeExt::~CTkSceneNodeExt() {
  detach();
  indirect_->drop();
}

void CTkSceneNodeExt::registerRecord(STkNodeExtMaterial* made) {
  if (services_.contexts) made->contextNumber = services_.contexts->add(made);
}

// The node may be half destroyed when this runs from its destructor: it is not touched.
void CTkSceneNodeExt::detach() {
  for (const std::unique_ptr<STkNodeExtMaterial>& r : records_) {
    if (r->effect) r->effect->drop();
    if (r->surface) r->surface->drop();
    r->effect = nullptr;
    r->surface = nullptr;
    r->saved.clear();
    if (services_.contexts && r->contextNumber) services_.contexts->remove(r->contextNumber);
    r->contextNumber = 0;
  }
  setCubeMap(nullptr);
  if (services_.registry) services_.registry->extensionGone(this);
  services_ = STkNodeExtServices();
}

void CTkSceneNodeExt::clearBackPointers() {
  if (!node_) return;
  const irr::u32 count = std::min<irr::u32>(node_->getMaterialCount(), static_cast<irr::u32>(records_.size()));
  for (irr::u32 i = 0; i < count; ++i) node_->getMaterial(i).MaterialTypeParam2 = 0;
}

STkNodeExtMaterial* CTkSceneNodeExt::record(int i) const {
  return i >= 0 && i < static_cast<int>(records_.size()) ? records_[i].get() : nullptr;
}

const STkNodeExtMaterial* CTkSceneNodeExt::getRecord(int i) const { return record(i); }

CTkSceneNodeExt* CTkSceneNodeExt::clone(irr::scene::ISceneNode* node) const {
  auto* copy = new CTkSceneNodeExt(node, services_);
  const size_t count = std::min(records_.size(), copy->records_.size());
  for (size_t i = 0; i < count; ++i) {
    const STkNodeExtMaterial& from = *records_[i];
    STkNodeExtMaterial& to = *copy->records_[i];
    to.surface = from.surface ? from.surface->clone() : nullptr;
    if (from.effect) from.effect->grab();
    to.effect = from.effect;
    to.technique = from.technique;
    to.pass = from.pass;
  }
  // The copy shares the mesh, and with it what its buffers carry.
  copy->bufferUV2_ = bufferUV2_;
  if (!copy->update()) {
    copy->drop();
    return nullptr;
  }
  return copy;
}

irr::u32 CTkSceneNodeExt::setSelectionMask(irr::u32 mask) {
  const irr::u32 previous = selectionMask_;
  selectionMask_ = mask;
  return previous;
}

// ---- rebuilding ---------------------------------------------------------------

void CTkSceneNodeExt::rebuild(int i) { applyRecord(i, true); }

void CTkSceneNodeExt::applyRecord(int i, bool saveTextures) {
  STkNodeExtMaterial* r = record(i);
  if (!r || !node_ || static_cast<irr::u32>(i) >= node_->getMaterialCount()) return;
  irr::video::SMaterial& nodeMaterial = node_->getMaterial(static_cast<irr::u32>(i));
  STkMaterial built;
  built.base = nodeMaterial;
  if (r->surface) r->surface->applyToMaterial(&built);
  if (r->effect) r->effect->applyPass(r->technique, r->pass, &built, false);
  if (r->effect && r->surface) {
    if (saveTextures) saveTexturesOf(r);
    if (r->technique >= 0 && r->technique < static_cast<int>(r->saved.size())) {
      const std::vector<STkNodeExtSavedMatPass>& passes = r->saved[r->technique].passes;
      if (r->pass >= 0 && r->pass < static_cast<int>(passes.size()))
        copyTextureLayers(passes[r->pass].material, &built);
    }
  } else if (saveTextures) {
    r->saved.clear();
  }
  if (built.base.ZBuffer == kCompareNever && services_.driverExt)
    built.base.MaterialType =
        static_cast<irr::video::E_MATERIAL_TYPE>(services_.driverExt->depthNeverMaterialType(built.base.MaterialType));
  built.base.MaterialTypeParam2 = recordNumberFor(built.base.MaterialType, *r);
  nodeMaterial = built.base;
  r->layers = built;
}

// Only the engine's own material renderers find a record from the material
// they draw; the display library's built-in ones never read the number. Left
// out there, the plain materials of copies compare equal, and the library
// does not set the same material again for every node it draws.
float CTkSceneNodeExt::recordNumberFor(irr::video::E_MATERIAL_TYPE type, const STkNodeExtMaterial& r) {
  return type > irr::video::EMT_ONETEXTURE_BLEND ? static_cast<float>(r.contextNumber) : 0.0f;
}

void CTkSceneNodeExt::saveTexturesOf(STkNodeExtMaterial* r) const {
  r->saved.assign(static_cast<size_t>(std::max(r->effect->techniqueCount(), 0)), STkNodeExtSavedMatTechnique());
  for (int t = 0; t < r->effect->techniqueCount(); ++t) {
    r->saved[t].passes.resize(static_cast<size_t>(std::max(r->effect->passCount(t), 0)));
    for (int p = 0; p < r->effect->passCount(t); ++p)
      r->surface->setEffectTextureOnMaterial(&r->saved[t].passes[p].material, r->effect, t, p);
  }
}

// ---- effects --------------------------------------------------------------------

CTkEffect* CTkSceneNodeExt::getEffect(int i) const {
  const STkNodeExtMaterial* r = record(i);
  return r ? r->effect : nullptr;
}

void CTkSceneNodeExt::setEffect(int i, CTkEffect* effect, int technique, int pass) {
  STkNodeExtMaterial* r = record(i);
  if (!r) return;
  if (effect) effect->grab();
  if (r->effect) r->effect->drop();
  r->effect = effect;
  r->technique = technique;
  r->pass = pass;
  rebuild(i);
}

void CTkSceneNodeExt::setTechniqueAndPass(int i, int technique, int pass) {
  STkNodeExtMaterial* r = record(i);
  if (!r || !r->effect) return;
  r->technique = technique;
  r->pass = pass;
  applyRecord(i, false);
}

void CTkSceneNodeExt::setTechnique(int i, int technique) {
  if (const STkNodeExtMaterial* r = record(i)) setTechniqueAndPass(i, technique, r->pass);
}

void CTkSceneNodeExt::setPass(int i, int pass) {
  if (const STkNodeExtMaterial* r = record(i)) setTechniqueAndPass(i, r->technique, pass);
}

void CTkSceneNodeExt::clearEffect(int i) {
  STkNodeExtMaterial* r = record(i);
  if (!r) return;
  if (r->effect) r->effect->drop();
  r->effect = nullptr;
  r->technique = 0;
  r->pass = 0;
  if (node_ && static_cast<irr::u32>(i) < node_->getMaterialCount()) {
    irr::video::SMaterial& material = node_->getMaterial(static_cast<irr::u32>(i));
    material.MaterialType = irr::video::EMT_SOLID;
    material.MaterialTypeParam2 = 0;
  }
  rebuild(i);
}

void CTkSceneNodeExt::clearEffects() {
  for (int i = 0; i < getRecordCount(); ++i) clearEffect(i);
}

int CTkSceneNodeExt::getTechniqueForPath(int i, int path) const {
  const STkNodeExtMaterial* r = record(i);
  return r && r->effect ? r->effect->getTechniqueForPath(path) : -1;
}

void CTkSceneNodeExt::saveEffects(std::vector<STkNodeExtSavedEffect>* list) const {
  list->clear();
  for (const std::unique_ptr<STkNodeExtMaterial>& r : records_) list->push_back({r->effect, r->technique, r->pass});
}

void CTkSceneNodeExt::restoreEffects(const std::vector<STkNodeExtSavedEffect>& list) {
  const int count = std::min(getRecordCount(), static_cast<int>(list.size()));
  for (int i = 0; i < count; ++i) {
    const STkNodeExtSavedEffect& saved = list[i];
    const STkNodeExtMaterial& r = *records_[i];
    if (r.effect != saved.effect)
      setEffect(i, saved.effect, saved.technique, saved.pass);
    else if (r.technique != saved.technique || r.pass != saved.pass)
      setTechniqueAndPass(i, saved.technique, saved.pass);
  }
}

// ---- surfaces -------------------------------------------------------------------

ITkSurface* CTkSceneNodeExt::getSurface(int i) const {
  const STkNodeExtMaterial* r = record(i);
  return r ? r->surface : nullptr;
}

void CTkSceneNodeExt::setSurface(int i, ITkSurface* surface) {
  STkNodeExtMaterial* r = record(i);
  if (!r || !surface) return;
  surface->grab();
  if (r->surface) r->surface->drop();
  r->surface = surface;
  rebuild(i);
}

void CTkSceneNodeExt::clearSurface(int i) {
  STkNodeExtMaterial* r = record(i);
  if (!r) return;
  if (r->surface) r->surface->drop();
  r->surface = nullptr;
  rebuild(i);
}

void CTkSceneNodeExt::clearSurfaces() {
  for (int i = 0; i < getRecordCount(); ++i) clearSurface(i);
}

int CTkSceneNodeExt::getSurfaceIndex(const ITkSurface* surface) const {
  for (size_t i = 0; i < records_.size(); ++i)
    if (surface && records_[i]->surface == surface) return static_cast<int>(i);
  return -1;
}

// ---- mesh -----------------------------------------------------------------------

bool CTkSceneNodeExt::hasUV2() const {
  irr::scene::IMesh* mesh = meshOfNode(node_);
  if (!mesh) return false;
  const size_t buffers = std::min<size_t>(mesh->getMeshBufferCount(), bufferUV2_.size());
  for (size_t k = 0; k < buffers; ++k)
    if (bufferUV2_[k].mask != 0) return true;
  return false;
}

bool CTkSceneNodeExt::getBufferUV2Info(int buffer, int* value, irr::u32* mask) const {
  irr::scene::IMesh* mesh = meshOfNode(node_);
  if (!mesh || buffer < 0 || static_cast<irr::u32>(buffer) >= mesh->getMeshBufferCount()) return false;
  const BufferUV2 info = static_cast<size_t>(buffer) < bufferUV2_.size() ? bufferUV2_[buffer] : BufferUV2();
  *value = info.value;
  *mask = info.mask;
  return true;
}

void CTkSceneNodeExt::setBufferUV2Info(int buffer, int value, irr::u32 mask) {
  if (buffer < 0) return;
  if (static_cast<size_t>(buffer) >= bufferUV2_.size()) bufferUV2_.resize(static_cast<size_t>(buffer) + 1);
  bufferUV2_[buffer] = {value, mask};
}

bool CTkSceneNodeExt::effectNeedsTangents(const STkNodeExtMaterial& r) const {
  const STechnique* technique = r.effect ? r.effect->getTechnique(r.technique) : nullptr;
  if (!technique) return false;
  for (const SParameter& annotation : technique->annotations)
    if (annotation.name == "tangents" && annotation.value == "true") return true;
  return false;
}

bool CTkSceneNodeExt::needTangents() {
  if (!isStaticMeshNode(node_)) return false;
  irr::scene::IMesh* mesh = meshOfNode(node_);
  if (!mesh) return false;
  const irr::u32 buffers = mesh->getMeshBufferCount();
  for (irr::u32 k = 0; k < buffers; ++k)
    if (mesh->getMeshBuffer(k)->getIndexCount() == 0) return false;
  if (tangentsMode_ == kTangentsNever) return false;
  if (tangentsMode_ == kTangentsAlways) return true;
  bool need = false;
  for (irr::u32 k = 0; k < buffers; ++k) {
    if (k == node_->getMaterialCount()) {
      log(LOG_WARN, "CTkSceneNodeExt::needTangents : Warning, the mesh buffer %d is not pointing to any material of the node",
          static_cast<int>(k));
      continue;
    }
    if (k >= records_.size()) {
      log(LOG_WARN, "CTkSceneNodeExt::needTangents : Warning, the mesh buffer %d use a material index out of bound",
          static_cast<int>(k));
      continue;
    }
    const STkNodeExtMaterial& r = *records_[k];
    if ((r.surface && r.surface->needsTangents()) || effectNeedsTangents(r)) need = true;
  }
  return need;
}

void CTkSceneNodeExt::replaceMeshWithTangents(irr::scene::IMesh* tangents) {
  auto* meshNode = static_cast<irr::scene::IMeshSceneNode*>(node_);
  // Setting a mesh copies the buffers' materials over the node's: what was
  // set on the node (flags, the records' look) is kept.
  std::vector<irr::video::SMaterial> materials;
  for (irr::u32 i = 0; i < node_->getMaterialCount(); ++i) materials.push_back(node_->getMaterial(i));
  meshNode->setMesh(tangents);
  const irr::u32 count = std::min<irr::u32>(node_->getMaterialCount(), static_cast<irr::u32>(materials.size()));
  for (irr::u32 i = 0; i < count; ++i) node_->getMaterial(i) = materials[i];
}

bool CTkSceneNodeExt::update() {
  irr::scene::IMesh* mesh = isStaticMeshNode(node_) ? meshOfNode(node_) : nullptr;
  if (mesh && mesh->getMeshBufferCount() > 0 &&
      mesh->getMeshBuffer(0)->getVertexType() != irr::video::EVT_TANGENTS && needTangents()) {
    irr::scene::IMesh* tangents =
        services_.manipulator ? createTangentMesh(mesh, *services_.manipulator, hasUV2()) : nullptr;
    if (!tangents) return false;
    tangents->setHardwareMappingHint(irr::scene::EHM_STATIC);
    replaceMeshWithTangents(tangents);
    tangents->drop();
  }
  for (int i = 0; i < getRecordCount(); ++i) rebuild(i);
  return true;
}

// ---- cube map -------------------------------------------------------------------

void CTkSceneNodeExt::setCubeMap(ITkCubeMapProbe* cubeMap) {
  if (cubeMap) cubeMap->grab();
  if (cubeMap_) cubeMap_->drop();
  cubeMap_ = cubeMap;
  indirect_->pointAt(cubeMap);
}

void CTkSceneNodeExt::setCubeMapBox(bool enabled) {
  box_ = enabled;
  if (!enabled) boxPosition_.set(kCubeMapBoxFar, kCubeMapBoxFar, kCubeMapBoxFar);
}

void CTkSceneNodeExt::setCubeMapBox(const irr::core::vector3df& position, const irr::core::vector3df& scale) {
  boxPosition_ = position;
  boxScale_ = scale;
}

bool CTkSceneNodeExt::getCubeMapPosition(irr::core::vector3df* position) const {
  if (!cubeMap_) return false;
  *position = cubeMap_->getProbePosition();
  return true;
}

bool CTkSceneNodeExt::isNodeCubeMapTexture(const irr::video::ITexture* texture) const {
  return texture && texture == indirect_;
}

// ---- techniques of render paths ------------------------------------------------

bool CTkSceneNodeExt::selectTechnique(int index, int path) {
  STkNodeExtMaterial* r = record(index);
  const int technique = getTechniqueForPath(index, path);
  if (!r || technique < 0) return false;
  selected_.push_back({index, r->technique, r->pass});
  r->technique = technique;
  r->pass = 0;
  applyRecord(index, false);
  return true;
}

void CTkSceneNodeExt::restoreTechniques() {
  for (auto it = selected_.rbegin(); it != selected_.rend(); ++it) {
    STkNodeExtMaterial* r = record(it->index);
    if (!r) continue;
    r->technique = it->technique;
    r->pass = it->pass;
    applyRecord(it->index, false);
  }
  selected_.clear();
}

}  // namespace tk
