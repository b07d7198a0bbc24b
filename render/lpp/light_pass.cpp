#include "render/lpp/light_pass.h"

#include "render/lpp/light_buffer.h"
#include "render/lpp/light_effect_slot.h"
#include "render/lpp/light_shadow_map.h"
#include "render/lpp/shadow_map_pool.h"
#include "render/node_ext/light_scene_node_ext.h"

namespace tk {
namespace {

bool isBlack(const irr::video::SColorf& colour) { return colour.r == 0 && colour.g == 0 && colour.b == 0; }

}  // namespace

void CTkRenderLightPass::init(irr::IrrlichtDevice* device, CTkRenderLightBuffer* buffer,
                              CTkRenderLightShadowMap* shadowMaps, CTkShadowMapPool* pool) {
  device_ = device;
  buffer_ = buffer;
  shadowMaps_ = shadowMaps;
  pool_ = pool;
}

void CTkRenderLightPass::render(irr::video::ITexture* target, const std::vector<irr::scene::ILightSceneNode*>& lights,
                                const std::vector<irr::scene::ISceneNode*>& shadowCasters) {
  if (!device_ || !buffer_ || !target) return;
  irr::video::IVideoDriver* driver = device_->getVideoDriver();
  driver->setRenderTarget(target, true, false, irr::video::SColor(0, 0, 0, 0));
  buffer_->beginFrame(device_->getSceneManager()->getActiveCamera());
  for (irr::scene::ILightSceneNode* light : lights) {
    if (!light || isBlack(light->getLightData().DiffuseColor)) continue;
    STkLightShadow shadow;
    // Point lights have no shadowed variant: a map for them would go unread.
    const bool shadows = lightEffectShadows(lightEffectGroup(light->getLightData().Type));
    if (shadows && light->getCastShadow() && shadowMaps_ && pool_) {
      const CTkLightSceneNodeExt* extension = lightExtensionOf(light);
      const int size = extension ? extension->params().shadowMapSize : STkLightExtParams().shadowMapSize;
      const int index = pool_->pick(size);
      irr::video::ITexture* map = pool_->map(index);
      if (map && shadowMaps_->renderShadowMap(map, light, shadowCasters, &shadow.viewProjection, &shadow.nearValue,
                                              &shadow.farValue)) {
        shadow.map = map;
        pool_->setUser(index, light);
        // The shadow map took the target: the light draws into it again.
        driver->setRenderTarget(target, false, false);
      }
    }
    buffer_->drawLight(target, light, shadow);
  }
}

}  // namespace tk
