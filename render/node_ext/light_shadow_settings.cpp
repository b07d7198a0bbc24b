#include "render/node_ext/light_shadow_settings.h"

#include <cmath>

#include "render/node_ext/light_scene_node_ext.h"

namespace tk {
namespace {

float positiveOr(float value, float fallback) { return std::isfinite(value) && value > 0 ? value : fallback; }

}  // namespace

STkShadowCameraSettings shadowCameraSettingsOf(const irr::scene::ILightSceneNode* light,
                                               const irr::scene::ICameraSceneNode* activeCamera) {
  STkShadowCameraSettings settings;
  const CTkLightSceneNodeExt* extension = lightExtensionOf(light);
  if (!extension) return settings;
  const STkLightExtParams& params = extension->params();
  settings.distantWidth = positiveOr(params.distantShadowWidth, settings.distantWidth);
  settings.distantHeight = positiveOr(params.distantShadowHeight, settings.distantHeight);
  if (std::isfinite(params.distantShadowOffset)) settings.distantOffset = params.distantShadowOffset;
  if (params.distantShadowFollowsCamera) settings.followCamera = activeCamera;
  return settings;
}

STkShadowCameraSettings CTkLightShadowSettings::shadowSettingsOf(const irr::scene::ILightSceneNode* light) const {
  return shadowCameraSettingsOf(light, scenes_ ? scenes_->getActiveCamera() : nullptr);
}

}  // namespace tk
