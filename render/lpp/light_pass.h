#pragma once
// The light pass as the frame renderers see it: every light of the frame
// accumulated into the light buffer target, each shadowed light after its
// shadow map is drawn. The light pre-pass renderer and the command renderer's
// "Light Pass" call it through the advanced context; CTkRenderLightPass
// implements it with the light buffer and the shadow-map renderer, and takes
// its maps from the context's shadow-map pool.

#include <irrlicht.h>

#include <vector>

namespace tk {

class ITkLightPass {
 public:
  virtual ~ITkLightPass() = default;
  // Sets `target` clearing colour to black (depth kept, so light volumes are
  // depth-tested against the G-buffer's depth) and draws every light of
  // `lights` in order; `shadowCasters` are the nodes drawn into shadow maps.
  virtual void render(irr::video::ITexture* target, const std::vector<irr::scene::ILightSceneNode*>& lights,
                      const std::vector<irr::scene::ISceneNode*>& shadowCasters) = 0;
};

class CTkRenderLightBuffer;
class CTkRenderLightShadowMap;
class CTkShadowMapPool;

class CTkRenderLightPass : public ITkLightPass {
 public:
  // The three are kept, not owned.
  void init(irr::IrrlichtDevice* device, CTkRenderLightBuffer* buffer, CTkRenderLightShadowMap* shadowMaps,
            CTkShadowMapPool* pool);
  void render(irr::video::ITexture* target, const std::vector<irr::scene::ILightSceneNode*>& lights,
              const std::vector<irr::scene::ISceneNode*>& shadowCasters) override;

 private:
  irr::IrrlichtDevice* device_ = nullptr;
  CTkRenderLightBuffer* buffer_ = nullptr;
  CTkRenderLightShadowMap* shadowMaps_ = nullptr;
  CTkShadowMapPool* pool_ = nullptr;
};

}  // namespace tk
