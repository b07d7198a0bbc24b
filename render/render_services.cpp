#include "render/render_services.h"

#include "base/log.h"
#include "effects/binds/node_extension_view.h"
#include "effects/device_state_codes.h"
#include "effects/binds/shadow_camera.h"
#include "effects/runtime/effect.h"
#include "effects/runtime/effect_tech_lookup.h"
#include "effects/shaders/gpu_programming_services.h"
#include "render/node_ext/light_shadow_settings.h"
#include "render/tk_scene_manager.h"
#include "render/video_driver_ext.h"

namespace tk {
namespace {

constexpr const char* kCopyShaderName = "<builtin>/CopyTexture.hlsl";

// Texel centres land on pixel centres: the pixel's window position plus one
// half, over the target's size. A picture loaded from a file is read top row
// first (see the orientation note in the header).
constexpr const char* kCopyShaderSource = R"(
float2 resolution;
float flipV;
sampler2D source : register(s0);
float4 vs_main(float4 position : POSITION) : POSITION { return position; }
float4 ps_main(float2 pixel : VPOS) : COLOR {
  float2 uv = (pixel + 0.5) / resolution;
  if (flipV > 0.5) uv.y = 1.0 - uv.y;
  return tex2D(source, uv);
}
)";

bool isLightOrCamera(const irr::scene::ISceneNode* node) {
  irr::scene::ESCENE_NODE_TYPE type = node->getType();
  return type == irr::scene::ESNT_LIGHT || type == irr::scene::ESNT_CAMERA ||
         type == irr::scene::ESNT_CAMERA_FPS || type == irr::scene::ESNT_CAMERA_MAYA;
}

void walkVisible(irr::scene::ISceneNode* node, bool topLevel, std::vector<irr::scene::ISceneNode*>* out) {
  if (!node->isVisible()) return;
  bool lightOrCamera = isLightOrCamera(node);
  if (lightOrCamera && !topLevel) return;
  if (!lightOrCamera) out->push_back(node);
  for (irr::scene::ISceneNode* child : node->getChildren()) walkVisible(child, false, out);
}

// Every visible node, whatever its kind, as the scene manager registers them.
void walkAllVisible(irr::scene::ISceneNode* node, std::vector<irr::scene::ISceneNode*>* out) {
  if (!node->isVisible()) return;
  out->push_back(node);
  for (irr::scene::ISceneNode* child : node->getChildren()) walkAllVisible(child, out);
}

bool isPicture(const irr::video::ITexture* texture) { return texture && !texture->isRenderTarget(); }
// Engine textures keep their top row first, as pictures do.
bool isTopRowFirst(const STkTextureLayer& layer) {
  return layer.texture ? isPicture(layer.texture) : layer.engineTexture != nullptr;
}

}  // namespace

class CTkRenderServices::CopyShaderCallback : public irr::video::IShaderConstantSetCallBack {
 public:
  void OnSetConstants(irr::video::IMaterialRendererServices* services, irr::s32) override {
    services->setPixelShaderConstant("resolution", resolution, 2);
    services->setPixelShaderConstant("flipV", &flipV, 1);
  }
  float resolution[2] = {1, 1};
  float flipV = 0;
};

CTkRenderServices::CTkRenderServices(irr::IrrlichtDevice* device)
    : CTkRenderServices(STkRenderServicesSetup{device}) {}

CTkRenderServices::CTkRenderServices(const STkRenderServicesSetup& setup, bool* ok)
    : device_(setup.device),
      driver_(setup.device->getVideoDriver()),
      shaders_(setup.shaders),
      contexts_(setup.contexts),
      videoDriverExt_(setup.videoDriverExt),
      nodeExtensions_(setup.nodeExtensions),
      techLookup_(setup.techLookup),
      sceneManager_(setup.sceneManager) {
  if (techLookup_) techLookup_->grab();
  targets_.reallocate(10);
  const bool made = shaders_ && driver_->getDriverType() == irr::video::EDT_OPENGL ? makeCopyShader() : true;
  if (ok) *ok = made;
}

CTkRenderServices::~CTkRenderServices() {
  for (const auto& copy : pictureCopies_) driver_->removeTexture(copy.second);
  if (techLookup_) techLookup_->drop();
  if (copyCallback_) copyCallback_->drop();
}

bool CTkRenderServices::makeCopyShader() {
  copyCallback_ = new CopyShaderCallback();
  std::string error;
  copyMaterialType_ = shaders_->getBuiltInShaderMaterial(kCopyShaderName, kCopyShaderSource, copyCallback_, &error);
  if (copyMaterialType_ >= 0) return true;
  log(LOG_ERROR, "CTkRenderServices failed to create copy texture shader");
  copyCallback_->drop();
  copyCallback_ = nullptr;
  return false;
}

void CTkRenderServices::setRenderTargets(irr::video::ITexture* const* textures, int count) {
  if (count <= 0 || !textures || !textures[0]) {
    driver_->setRenderTarget(irr::video::ERT_FRAME_BUFFER, false, false);
    return;
  }
  targets_.set_used(0);
  for (int i = 0; i < count; ++i)
    if (textures[i])
      targets_.push_back(irr::video::IRenderTarget(textures[i], irr::video::ECP_ALL, irr::video::EBF_ONE,
                                                   irr::video::EBF_ZERO, irr::video::EBO_NONE));
  // The display library skips binding a target list equal to the last one it
  // was given, even when single targets were bound in between: one target
  // goes the single way, and a list is bound after leaving the last one.
  if (targets_.size() == 1) {
    driver_->setRenderTarget(textures[0], false, false);
    return;
  }
  driver_->setRenderTarget(irr::core::array<irr::video::IRenderTarget>(), false, false);
  driver_->setRenderTarget(targets_, false, false);
}

// Two triangles over the whole target, given in clip space, under identity
// transforms; the material's context ties it to its effect while it is drawn.
void CTkRenderServices::drawQuad(STkMaterial* material, const STkMaterialContext& context, bool textureIsPicture) {
  STkMaterialContext drawn = context;
  drawn.material = material;
  TkMaterialContextSlot slot(contexts_, &drawn);
  material->base.MaterialTypeParam2 = slot.typeParameter();
  material->base.BackfaceCulling = false;
  material->base.Lighting = false;
  const float top = textureIsPicture ? 0.0f : 1.0f;
  const float bottom = 1.0f - top;
  const irr::video::SColor white(255, 255, 255, 255);
  irr::video::S3DVertex vertices[4] = {
      irr::video::S3DVertex(-1, 1, 0, 0, 0, -1, white, 0, top),
      irr::video::S3DVertex(1, 1, 0, 0, 0, -1, white, 1, top),
      irr::video::S3DVertex(-1, -1, 0, 0, 0, -1, white, 0, bottom),
      irr::video::S3DVertex(1, -1, 0, 0, 0, -1, white, 1, bottom),
  };
  const irr::u16 indices[6] = {0, 1, 2, 2, 1, 3};
  const irr::core::matrix4 view = driver_->getTransform(irr::video::ETS_VIEW);
  const irr::core::matrix4 projection = driver_->getTransform(irr::video::ETS_PROJECTION);
  const irr::core::matrix4 world = driver_->getTransform(irr::video::ETS_WORLD);
  driver_->setTransform(irr::video::ETS_WORLD, irr::core::IdentityMatrix);
  driver_->setTransform(irr::video::ETS_VIEW, irr::core::IdentityMatrix);
  driver_->setTransform(irr::video::ETS_PROJECTION, irr::core::IdentityMatrix);
  driver_->setMaterial(material->base);
  driver_->drawIndexedTriangleList(vertices, 4, indices, 2);
  driver_->setTransform(irr::video::ETS_WORLD, world);
  driver_->setTransform(irr::video::ETS_VIEW, view);
  driver_->setTransform(irr::video::ETS_PROJECTION, projection);
}

void CTkRenderServices::drawMaterialQuad(STkMaterial* material) {
  drawQuad(material, STkMaterialContext(), isTopRowFirst(material->pixelLayers[0]));
}

void CTkRenderServices::drawEffect(CTkEffect* effect, int technique, int pass, irr::video::ITexture* texture) {
  drawEffectTextures(effect, technique, pass, &texture, 1);
}

void CTkRenderServices::drawEffectTextures(CTkEffect* effect, int technique, int pass,
                                           irr::video::ITexture* const* textures, int count) {
  STkMaterial material;
  if (!effect || !effect->applyPass(technique, pass, &material, true)) return;
  for (int unit = 0; unit < count && unit < kPixelLayerCount; ++unit)
    if (textures && textures[unit]) material.pixelLayers[unit].texture = textures[unit];
  STkMaterialContext context;
  context.effect = effect;
  context.technique = technique;
  context.pass = pass;
  drawQuad(&material, context, isTopRowFirst(material.pixelLayers[0]));
}

void CTkRenderServices::sameOrientation(irr::video::ITexture** textures, int count) {
  bool targets = false, pictures = false;
  for (int i = 0; i < count; ++i) {
    if (!textures[i]) continue;
    (isPicture(textures[i]) ? pictures : targets) = true;
  }
  if (!targets || !pictures) return;
  for (int i = 0; i < count; ++i) {
    irr::video::ITexture* picture = textures[i];
    if (!isPicture(picture)) continue;
    irr::video::ITexture*& copy = pictureCopies_[picture];
    const irr::core::dimension2du size = picture->getOriginalSize();
    // The picture's address may have been reused by a picture of another size.
    if (copy && copy->getOriginalSize() != size) {
      driver_->removeTexture(copy);
      copy = nullptr;
    }
    if (!copy) {
      const bool mipMaps = driver_->getTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS);
      driver_->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
      copy = driver_->addRenderTargetTexture(size, "<upright copy>", irr::video::ECF_A8R8G8B8);
      driver_->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, mipMaps);
    }
    if (!copy) continue;
    copyTextureInto(copy, picture);
    textures[i] = copy;
  }
}

void CTkRenderServices::copyTextureInto(irr::video::ITexture* target, irr::video::ITexture* texture) {
  setRenderTargets(&target, target ? 1 : 0);
  copyTexture(texture);
}

void CTkRenderServices::copyTexture(irr::video::ITexture* texture) {
  if (!texture) return;
  const irr::core::dimension2du target = driver_->getCurrentRenderTargetSize();
  if (copyMaterialType_ < 0) {
    const irr::core::dimension2du source = texture->getOriginalSize();
    driver_->draw2DImage(texture, irr::core::recti(0, 0, target.Width, target.Height),
                         irr::core::recti(0, 0, source.Width, source.Height), nullptr, nullptr, false);
    return;
  }
  copyCallback_->resolution[0] = static_cast<float>(target.Width);
  copyCallback_->resolution[1] = static_cast<float>(target.Height);
  copyCallback_->flipV = isPicture(texture) ? 1.0f : 0.0f;
  STkMaterial material;
  material.base.MaterialType = static_cast<irr::video::E_MATERIAL_TYPE>(copyMaterialType_);
  material.base.ZBuffer = kCompareAlways;
  material.base.ZWriteEnable = false;
  material.pixelLayers[0].texture = texture;
  material.pixelLayers[0].bilinear = false;  // point sampling, as a copy reads texel by texel
  drawQuad(&material, STkMaterialContext(), false);
}

// ---- node lists --------------------------------------------------------------

void CTkRenderServices::collectVisibleNodes(std::vector<irr::scene::ISceneNode*>* out) const {
  out->clear();
  irr::scene::ISceneNode* root = device_->getSceneManager()->getRootSceneNode();
  for (irr::scene::ISceneNode* child : root->getChildren()) walkVisible(child, true, out);
}

void CTkRenderServices::getLightList(std::vector<irr::scene::ISceneNode*>* out) const {
  std::vector<irr::scene::ISceneNode*> all;
  walkAllVisible(device_->getSceneManager()->getRootSceneNode(), &all);
  out->clear();
  for (irr::scene::ISceneNode* node : all)
    if (node->getType() == irr::scene::ESNT_LIGHT) out->push_back(node);
}

void CTkRenderServices::classify(irr::scene::ISceneNode* node, bool* solid, bool* transparent,
                                 bool* transparentEffect) const {
  *solid = *transparent = *transparentEffect = false;
  if (node->getType() == irr::scene::ESNT_PARTICLE_SYSTEM) {
    *transparentEffect = true;
    return;
  }
  for (irr::u32 i = 0; i < node->getMaterialCount(); ++i) {
    irr::video::IMaterialRenderer* renderer = driver_->getMaterialRenderer(node->getMaterial(i).MaterialType);
    (renderer && renderer->isTransparent() ? *transparent : *solid) = true;
  }
}

void CTkRenderServices::collectRegistered(NodeKind kind, std::vector<irr::scene::ISceneNode*>* out) const {
  irr::scene::ISceneManager* scene = device_->getSceneManager();
  std::vector<irr::scene::ISceneNode*> all;
  walkAllVisible(scene->getRootSceneNode(), &all);
  out->clear();
  for (irr::scene::ISceneNode* node : all) {
    if (node == scene->getRootSceneNode() || isLightOrCamera(node) || scene->isCulled(node)) continue;
    bool solid, transparent, transparentEffect;
    classify(node, &solid, &transparent, &transparentEffect);
    if ((kind == NodeKind::Solid && solid) || (kind == NodeKind::Transparent && transparent) ||
        (kind == NodeKind::TransparentEffect && transparentEffect))
      out->push_back(node);
  }
}

// `listed`: the node may join the all-visible list (no light or camera
// below the top level above it).
void CTkRenderServices::walkFrame(irr::scene::ISceneNode* node, bool topLevel, bool listed,
                                  STkFrameNodeLists* out) const {
  if (!node->isVisible()) return;
  const bool lightOrCamera = isLightOrCamera(node);
  if (lightOrCamera && !topLevel) listed = false;
  if (listed && !lightOrCamera) out->visible.push_back(node);
  if (node->getType() == irr::scene::ESNT_LIGHT) {
    out->lights.push_back(node);
  } else if (!lightOrCamera && !device_->getSceneManager()->isCulled(node)) {
    bool solid, transparent, transparentEffect;
    classify(node, &solid, &transparent, &transparentEffect);
    if (solid) out->solid.push_back(node);
    if (transparent) out->transparent.push_back(node);
    if (transparentEffect) out->transparentEffect.push_back(node);
  }
  for (irr::scene::ISceneNode* child : node->getChildren()) walkFrame(child, false, listed, out);
}

void CTkRenderServices::collectFrameLists(STkFrameNodeLists* out) const {
  out->lights.clear();
  out->solid.clear();
  out->transparent.clear();
  out->transparentEffect.clear();
  out->visible.clear();
  for (irr::scene::ISceneNode* child : device_->getSceneManager()->getRootSceneNode()->getChildren())
    walkFrame(child, true, true, out);
}

void CTkRenderServices::getSolidList(std::vector<irr::scene::ISceneNode*>* out) const {
  collectRegistered(NodeKind::Solid, out);
}
void CTkRenderServices::getTransparentList(std::vector<irr::scene::ISceneNode*>* out) const {
  collectRegistered(NodeKind::Transparent, out);
}
void CTkRenderServices::getTransparentEffectList(std::vector<irr::scene::ISceneNode*>* out) const {
  collectRegistered(NodeKind::TransparentEffect, out);
}

void CTkRenderServices::collectShadowCasters(std::vector<irr::scene::ISceneNode*>* out) const {
  std::vector<irr::scene::ISceneNode*> visible;
  collectVisibleNodes(&visible);
  filterShadowCasters(visible, out);
}

void CTkRenderServices::filterShadowCasters(const std::vector<irr::scene::ISceneNode*>& list,
                                            std::vector<irr::scene::ISceneNode*>* out) const {
  out->clear();
  if (!nodeExtensions_) return;
  for (irr::scene::ISceneNode* node : list) {
    const ITkSceneNodeExt* extension = nodeExtensions_->findNodeExt(node);
    if (extension && extension->getCastShadows()) out->push_back(node);
  }
}

// ---- drawing node lists ------------------------------------------------------------

namespace {

bool isTransparentPass(irr::scene::E_SCENE_NODE_RENDER_PASS pass) {
  return pass == irr::scene::ESNRP_TRANSPARENT || pass == irr::scene::ESNRP_TRANSPARENT_EFFECT;
}

// The mesh a mesh-like node draws now, or null for nodes that draw themselves.
irr::scene::IMesh* currentMeshOf(irr::scene::ISceneNode* node) {
  switch (node->getType()) {
    case irr::scene::ESNT_MESH:
    case irr::scene::ESNT_OCTREE:
    case irr::scene::ESNT_CUBE:
    case irr::scene::ESNT_SPHERE: return static_cast<irr::scene::IMeshSceneNode*>(node)->getMesh();
    default: break;
  }
  if (node->getType() == irr::scene::ESNT_ANIMATED_MESH) {
    auto* animated = static_cast<irr::scene::IAnimatedMeshSceneNode*>(node);
    irr::scene::IAnimatedMesh* mesh = animated->getMesh();
    return mesh ? mesh->getMesh(static_cast<irr::s32>(animated->getFrameNr())) : nullptr;
  }
  return nullptr;
}

}  // namespace

int CTkRenderServices::drawNodeList(const std::vector<irr::scene::ISceneNode*>& list, const STkNodeListDraw& how) {
  if (list.empty()) return 0;
  int path = -1;
  if (how.technique) {
    path = techLookup_ ? techLookup_->findTechnique(how.technique) : -1;
    if (path < 0) return 0;
  }
  if (sceneManager_) sceneManager_->setCurrentRenderPass(how.pass);
  enableSeparateAlphaBlend(how.separateAlpha, how.pass);
  irr::video::SOverrideMaterial& override = driver_->getOverrideMaterial();
  const irr::video::SOverrideMaterial savedOverride = override;
  if (how.override) override = *how.override;
  int drawn = 0;
  for (irr::scene::ISceneNode* node : list) {
    ITkSceneNodeExt* extension = nodeExtensions_ ? nodeExtensions_->findNodeExt(node) : nullptr;
    const irr::u32 mask = extension ? extension->getSelectionMask() : 0;
    if ((how.showSet != 0 && (how.showSet & mask) == 0) || (how.hideSet & mask) != 0) continue;
    if (path < 0) {
      drawn += drawNode(node, how.pass, nullptr) ? 1 : 0;
      continue;
    }
    if (!extension) continue;
    std::vector<bool> withTechnique(node->getMaterialCount());
    bool any = false;
    for (irr::u32 i = 0; i < node->getMaterialCount(); ++i)
      any |= withTechnique[i] = extension->selectTechnique(static_cast<int>(i), path);
    if (any) drawn += drawNode(node, how.pass, &withTechnique) ? 1 : 0;
    extension->restoreTechniques();
  }
  override = savedOverride;
  if (videoDriverExt_) videoDriverExt_->setSeparateAlphaBlendEnable(false);
  if (sceneManager_) sceneManager_->setCurrentRenderPass(irr::scene::ESNRP_NONE);
  return drawn;
}

// A mesh-like node draws the buffers whose material suits the pass (the
// transparent ones in the transparent passes, the others otherwise), limited
// to `materials` when given; any other node draws itself.
bool CTkRenderServices::drawNode(irr::scene::ISceneNode* node, irr::scene::E_SCENE_NODE_RENDER_PASS pass,
                                 const std::vector<bool>* materials) {
  const bool transparentPass = isTransparentPass(pass);
  irr::scene::IMesh* mesh = currentMeshOf(node);
  if (!mesh) {
    bool suits = node->getMaterialCount() == 0;
    for (irr::u32 i = 0; i < node->getMaterialCount() && !suits; ++i) {
      irr::video::IMaterialRenderer* renderer = driver_->getMaterialRenderer(node->getMaterial(i).MaterialType);
      suits = (renderer && renderer->isTransparent()) == transparentPass;
    }
    if (suits) node->render();
    return suits;
  }
  driver_->setTransform(irr::video::ETS_WORLD, node->getAbsoluteTransformation());
  bool any = false;
  for (irr::u32 i = 0; i < mesh->getMeshBufferCount() && i < node->getMaterialCount(); ++i) {
    if (materials && !(*materials)[i]) continue;
    const irr::video::SMaterial& material = node->getMaterial(i);
    irr::video::IMaterialRenderer* renderer = driver_->getMaterialRenderer(material.MaterialType);
    if ((renderer && renderer->isTransparent()) != transparentPass) continue;
    driver_->setMaterial(material);
    driver_->drawMeshBuffer(mesh->getMeshBuffer(i));
    any = true;
  }
  return any;
}

void CTkRenderServices::enableSeparateAlphaBlend(int mode, irr::scene::E_SCENE_NODE_RENDER_PASS pass) {
  if (!videoDriverExt_) return;
  if (mode == kSeparateAlphaByPass) mode = isTransparentPass(pass) ? kSeparateAlphaBlendFactor : kSeparateAlphaOff;
  if (mode == kSeparateAlphaOff) {
    videoDriverExt_->setSeparateAlphaBlendEnable(false);
    return;
  }
  videoDriverExt_->setSeparateAlphaBlendEnable(true);
  if (mode != kSeparateAlphaBlendFactor && mode != kSeparateAlphaZero) {
    log(LOG_ERROR, "CTkRenderServices::enableSeparateAlphaBlend  unsupported separate alpha = %d", mode);
    return;
  }
  // The target's alpha becomes destination alpha x (1 - source alpha).
  if (mode == kSeparateAlphaBlendFactor) videoDriverExt_->setBlendFactor(irr::video::SColor(0, 0, 0, 0));
  videoDriverExt_->setAlphaBlend(kBlendOpAdd, mode == kSeparateAlphaBlendFactor ? kBlendConstantColor : kBlendZero,
                                 kBlendOneMinusSrcAlpha);
}

// ---- debug drawing -------------------------------------------------------------

void CTkRenderServices::drawDebugBox(const irr::core::aabbox3df& box) {
  irr::video::SMaterial material;
  material.Lighting = false;
  material.AntiAliasing = irr::video::EAAM_OFF;
  driver_->setMaterial(material);
  driver_->setTransform(irr::video::ETS_WORLD, irr::core::IdentityMatrix);
  driver_->draw3DBox(box, irr::video::SColor(255, 255, 255, 255));
}

void CTkRenderServices::drawLightFrustumBox(irr::scene::ILightSceneNode* light) {
  if (!light) return;
  const STkShadowCamera camera =
      shadowCameraOf(light, shadowCameraSettingsOf(light, device_->getSceneManager()->getActiveCamera()));
  irr::scene::SViewFrustum frustum;
  frustum.setFrom(camera.projection * camera.view);
  drawDebugBox(frustum.getBoundingBox());
}

}  // namespace tk
