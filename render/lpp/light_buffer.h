#pragma once
// The light buffer: each light of the frame added into a target as diffuse
// light (rgb) and specular intensity (alpha), reading the G-buffer's normals
// and depths. A light far enough from the camera is drawn through a proxy
// mesh around its range (a sphere for point lights, a cone for spot lights),
// depth-tested against the scene so that only the pixels it can reach pay
// for it; distant lights, and lights whose proxy the camera is in, cover the
// whole screen.

#include <irrlicht.h>

#include <string>

#include "render/lpp/light_effect_slot.h"

namespace tk {

class CTkEffect;
class CTkEffectManager;
class CTkRenderServices;
struct STkMaterial;

struct STkLightBufferCounters {
  int spot = 0;
  int point = 0;
  int distant = 0;
  int shadowed = 0;
  int fullScreen = 0;
};

// What drawLight needs of a light's shadow map; no map draws it unshadowed.
struct STkLightShadow {
  irr::video::ITexture* map = nullptr;
  irr::core::matrix4 viewProjection;
  float nearValue = 0.1f;
  float farValue = 100.0f;
};

// The proxy a light is drawn with, and its world placement.
enum class ELightVolume { None, FullScreen, Sphere, Cone };
struct STkLightVolume {
  ELightVolume kind = ELightVolume::None;
  irr::core::matrix4 world;
};
// The proxy for `light` seen from `cameraPosition` with the near distance
// `cameraNear`: a sphere or cone when the camera is well outside the light's
// range, else the whole screen (always for distant lights). A spot whose
// widened cone reaches a right angle cannot be held by a cone. None for a
// light that lights nothing (a range of 0 or less, or no number).
STkLightVolume lightVolumeOf(const irr::scene::ILightSceneNode* light, const irr::core::vector3df& cameraPosition,
                             float cameraNear);

class CTkRenderLightBuffer {
 public:
  CTkRenderLightBuffer() = default;
  ~CTkRenderLightBuffer();
  CTkRenderLightBuffer(const CTkRenderLightBuffer&) = delete;
  CTkRenderLightBuffer& operator=(const CTkRenderLightBuffer&) = delete;

  // Makes the two proxy meshes and compiles every variant of `file`; false
  // after logging the first failure.
  bool init(irr::IrrlichtDevice* device, CTkEffectManager* effects, CTkRenderServices* services,
            const std::string& file);
  // Takes the camera's view (as the driver has it now), its position and near
  // distance; resets the counters.
  void beginFrame(const irr::scene::ICameraSceneNode* camera);
  // Adds one light into `target` (already set; nothing is cleared).
  void drawLight(irr::video::ITexture* target, irr::scene::ILightSceneNode* light, const STkLightShadow& shadow);

  void setDebug(bool debug) { debug_ = debug; }
  void setShadowEpsilonOverride(bool enabled, float value) {
    epsilonOverride_ = enabled;
    epsilonOverrideValue_ = value;
  }
  const STkLightBufferCounters& counters() const { return counters_; }
  CTkEffect* effect(int slot) const;

 private:
  bool makeMeshes(irr::scene::ISceneManager* scene);
  bool loadEffects(CTkEffectManager* effects, const std::string& file);
  CTkEffect* effectFor(irr::scene::ILightSceneNode* light, bool* shadowed);
  void setLightParameters(CTkEffect* effect, const irr::scene::ILightSceneNode* light);
  void setShadowParameters(CTkEffect* effect, const irr::scene::ILightSceneNode* light, const STkLightShadow& shadow);
  void drawFullScreen(CTkEffect* effect, bool shadowed);
  void drawVolume(CTkEffect* effect, irr::scene::IMeshBuffer* buffer, const irr::core::matrix4& world);
  void drawWireframe(irr::scene::IMeshBuffer* buffer, const irr::core::matrix4& world);
  void count(const irr::scene::ILightSceneNode* light, bool shadowed, bool fullScreen);

  irr::video::IVideoDriver* driver_ = nullptr;
  CTkRenderServices* services_ = nullptr;
  irr::scene::IMesh* sphere_ = nullptr;
  irr::scene::IMesh* cone_ = nullptr;
  CTkEffect* effects_[kLightEffectSlotCount] = {};
  irr::core::matrix4 view_;
  irr::core::matrix4 inverseView_;
  irr::core::matrix4 directionView_;
  irr::core::vector3df cameraPosition_;
  float cameraNear_ = 1;
  float viewRay_[4] = {1, 1, 0, 0};
  bool epsilonOverride_ = false;
  float epsilonOverrideValue_ = 0;
  bool debug_ = false;
  STkLightBufferCounters counters_;
};

}  // namespace tk
