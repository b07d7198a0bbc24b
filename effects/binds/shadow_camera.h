#pragma once
// The camera a light's shadow map is seen through. Spot and point lights look
// from the light along its direction with a perspective of twice the outer
// cone; distant lights look along their direction through an orthographic box.
// Shadow rendering and the shader constants that sample its maps share it.

#include <irrlicht.h>

namespace tk {

struct STkShadowCameraSettings {
  // Distant lights: the orthographic box and how far the camera is pulled back
  // along the light direction.
  float distantWidth = 30;
  float distantHeight = 30;
  float distantOffset = 1;
  // Distant lights: with a camera, the box follows it over the ground plane
  // y = 0, half a box width ahead of it.
  const irr::scene::ICameraSceneNode* followCamera = nullptr;
};

// Where a light's shadow settings are kept is the engine's business: the
// binds ask through this.
class ITkShadowSettingsLookup {
 public:
  virtual ~ITkShadowSettingsLookup() = default;
  virtual STkShadowCameraSettings shadowSettingsOf(const irr::scene::ILightSceneNode* light) const = 0;
};

struct STkShadowCamera {
  irr::core::matrix4 view;
  irr::core::matrix4 projection;
  float nearValue = 0;
  float farValue = 0;
  irr::core::vector3df position;
  irr::core::vector3df direction;
};

// The light's direction: its absolute rotation applied to (0, 0, 1).
irr::core::vector3df shadowLightDirection(const irr::scene::ILightSceneNode* light);

STkShadowCamera shadowCameraOf(const irr::scene::ILightSceneNode* light,
                               const STkShadowCameraSettings& settings = STkShadowCameraSettings());

}  // namespace tk
