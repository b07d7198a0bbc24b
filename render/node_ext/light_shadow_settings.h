#pragma once
// A light's shadow camera settings as its extension gives them: the box of a
// distant light, how far its camera is pulled back, and whether the box
// follows the active camera.

#include <irrlicht.h>

#include "effects/binds/shadow_camera.h"

namespace tk {

// `activeCamera` is followed only when the light's extension asks for it (and
// may be null). Without an extension the defaults apply; a box side that is
// not a positive number, or an offset that is not finite, keeps its default
// (a flat box would give the shadow view a singular projection).
STkShadowCameraSettings shadowCameraSettingsOf(const irr::scene::ILightSceneNode* light,
                                               const irr::scene::ICameraSceneNode* activeCamera);

// The settings of any light, following the active camera of `scenes`.
class CTkLightShadowSettings : public ITkShadowSettingsLookup {
 public:
  explicit CTkLightShadowSettings(irr::scene::ISceneManager* scenes) : scenes_(scenes) {}
  STkShadowCameraSettings shadowSettingsOf(const irr::scene::ILightSceneNode* light) const override;

 private:
  irr::scene::ISceneManager* scenes_;
};

}  // namespace tk
