#include "render/lpp/light_shadow_map.h"

#include "base/log.h"
#include "effects/runtime/effect.h"
#include "effects/runtime/effect_manager.h"
#include "render/node_ext/light_shadow_settings.h"
#include "render/render_services.h"

namespace tk {
namespace {

// The technique lookup's number for "shadow".
constexpr int kShadowTechnique = 1;

bool anyCasterInside(const std::vector<irr::scene::ISceneNode*>& casters, const irr::core::aabbox3df& box) {
  for (irr::scene::ISceneNode* caster : casters)
    if (caster && caster->getTransformedBoundingBox().intersectsWithBox(box)) return true;
  return false;
}

}  // namespace

CTkRenderLightShadowMap::~CTkRenderLightShadowMap() {
  if (depth_) depth_->drop();
}

bool CTkRenderLightShadowMap::init(irr::IrrlichtDevice* device, CTkEffectManager* effects,
                                   CTkRenderServices* services, const std::string& file) {
  device_ = device;
  services_ = services;
  if (depth_) depth_->drop();
  depth_ = effects ? effects->createEffect(file.c_str(), -1, {}) : nullptr;
  if (!depth_) log(LOG_ERROR, "CTkRenderLightShadowMap failed to load %s", file.c_str());
  return depth_ != nullptr;
}

bool CTkRenderLightShadowMap::renderShadowMap(irr::video::ITexture* map, irr::scene::ILightSceneNode* light,
                                              const std::vector<irr::scene::ISceneNode*>& casters,
                                              irr::core::matrix4* viewProjection, float* nearValue,
                                              float* farValue) {
  if (!map || !light || !device_ || !services_ || !depth_) return false;
  const STkShadowCamera camera =
      shadowCameraOf(light, shadowCameraSettingsOf(light, device_->getSceneManager()->getActiveCamera()));
  if (!anyCasterInside(casters, shadowFrustumBox(camera))) return false;

  irr::video::IVideoDriver* driver = device_->getVideoDriver();
  const irr::core::matrix4 savedView = driver->getTransform(irr::video::ETS_VIEW);
  const irr::core::matrix4 savedProjection = driver->getTransform(irr::video::ETS_PROJECTION);
  irr::video::SOverrideMaterial& override = driver->getOverrideMaterial();
  const irr::video::SOverrideMaterial savedOverride = override;
  driver->setTransform(irr::video::ETS_VIEW, camera.view);
  driver->setTransform(irr::video::ETS_PROJECTION, camera.projection);
  override.EnableFlags = irr::video::EMF_LIGHTING | irr::video::EMF_ZBUFFER | irr::video::EMF_ZWRITE_ENABLE;
  override.EnablePasses = irr::scene::ESNRP_SOLID;
  override.Enabled = true;  // drawn outside the scene manager's passes, which switch it
  override.Material.Lighting = false;
  override.Material.ZBuffer = irr::video::ECFN_LESSEQUAL;
  override.Material.ZWriteEnable = true;

  driver->setRenderTarget(map, true, true, irr::video::SColor(255, 255, 255, 255));
  services_->drawNodesWithTechniqueOr(casters, kShadowTechnique, depth_);

  override = savedOverride;
  driver->setTransform(irr::video::ETS_VIEW, savedView);
  driver->setTransform(irr::video::ETS_PROJECTION, savedProjection);
  *viewProjection = camera.projection * camera.view;
  *nearValue = camera.nearValue;
  *farValue = camera.farValue;
  return true;
}

}  // namespace tk
