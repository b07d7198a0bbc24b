#pragma once
// Shadow maps: the shadow casters seen from a light, their depth as the
// light's shadow camera projects it (0 near, 1 far; white where nothing is).
// Each material draws with its own effect's "shadow" technique when it has
// one and with the renderer's depth effect otherwise.

#include <irrlicht.h>

#include <string>
#include <vector>


namespace tk {

class CTkEffect;
class CTkEffectManager;
class CTkRenderServices;

class CTkRenderLightShadowMap {
 public:
  CTkRenderLightShadowMap() = default;
  ~CTkRenderLightShadowMap();
  CTkRenderLightShadowMap(const CTkRenderLightShadowMap&) = delete;
  CTkRenderLightShadowMap& operator=(const CTkRenderLightShadowMap&) = delete;

  // False after logging when the depth effect cannot be made.
  bool init(irr::IrrlichtDevice* device, CTkEffectManager* effects, CTkRenderServices* services,
            const std::string& file);
  // Draws the casters inside the light's shadow frustum into `map`; false,
  // drawing nothing, when none is. The map's view-projection and the shadow
  // camera's near and far distances come back for the lookup.
  bool renderShadowMap(irr::video::ITexture* map, irr::scene::ILightSceneNode* light,
                       const std::vector<irr::scene::ISceneNode*>& casters, irr::core::matrix4* viewProjection,
                       float* nearValue, float* farValue);
  CTkEffect* depthEffect() const { return depth_; }

 private:
  irr::IrrlichtDevice* device_ = nullptr;
  CTkRenderServices* services_ = nullptr;
  CTkEffect* depth_ = nullptr;
};

}  // namespace tk
