#include "render/lpp/light_buffer.h"

#include <algorithm>
#include <cmath>

#include "base/log.h"
#include "effects/binds/shadow_camera.h"
#include "effects/device_state_codes.h"
#include "effects/runtime/effect.h"
#include "effects/runtime/effect_manager.h"
#include "render/node_ext/light_scene_node_ext.h"
#include "render/render_services.h"

namespace tk {
namespace {

// How far a proxy reaches beyond the light's range: its flat faces must
// still hold the whole range.
constexpr float kVolumeMargin = 1.15f;
constexpr float kConeAngleMargin = 1.1f;
constexpr int kConeSegments = 4;
// The unit the shadow map is read from; its border reads as nothing in front.
constexpr int kShadowMapUnit = 2;
constexpr float kEpsilonUnit = 0.00001f;

bool isBlack(const irr::video::SColorf& colour) { return colour.r == 0 && colour.g == 0 && colour.b == 0; }
bool isFinite(const irr::video::SColorf& colour) {
  return std::isfinite(colour.r) && std::isfinite(colour.g) && std::isfinite(colour.b);
}

// A light with a range lights nothing when that range is none; a colour that
// is no number would only spread through the buffer.
bool lightsNothing(const irr::scene::ILightSceneNode* light) {
  const irr::video::SLight& data = light->getLightData();
  if (isBlack(data.DiffuseColor) || !isFinite(data.DiffuseColor)) return true;
  if (data.Type == irr::video::ELT_DIRECTIONAL) return false;
  return !(data.Radius > 0) || !std::isfinite(data.Radius);
}

// The placement of a unit proxy whose local +z runs along `direction` from
// `position`, scaled by (across, across, along).
irr::core::matrix4 placed(const irr::core::vector3df& position, irr::core::vector3df direction, float across,
                          float along) {
  direction.normalize();
  const irr::core::vector3df up =
      std::fabs(direction.Y) < 0.99f ? irr::core::vector3df(0, 1, 0) : irr::core::vector3df(1, 0, 0);
  const irr::core::vector3df side = up.crossProduct(direction).normalize();
  const irr::core::vector3df lifted = direction.crossProduct(side);
  irr::core::matrix4 world;
  const irr::core::vector3df axes[3] = {side * across, lifted * across, direction * along};
  for (int axis = 0; axis < 3; ++axis) {
    world[axis * 4 + 0] = axes[axis].X;
    world[axis * 4 + 1] = axes[axis].Y;
    world[axis * 4 + 2] = axes[axis].Z;
  }
  world.setTranslation(position);
  return world;
}

}  // namespace

STkLightVolume lightVolumeOf(const irr::scene::ILightSceneNode* light, const irr::core::vector3df& cameraPosition,
                             float cameraNear) {
  STkLightVolume volume;
  if (!light || lightsNothing(light)) return volume;
  const irr::video::SLight& data = light->getLightData();
  volume.kind = ELightVolume::FullScreen;
  const irr::core::vector3df position = light->getAbsolutePosition();
  const float clearance = static_cast<float>(position.getDistanceFrom(cameraPosition)) - cameraNear;
  if (data.Type == irr::video::ELT_POINT) {
    const float reach = data.Radius * kVolumeMargin;
    if (reach < clearance) {
      volume.kind = ELightVolume::Sphere;
      volume.world = placed(position, irr::core::vector3df(0, 0, 1), reach, reach);
    }
  } else if (data.Type == irr::video::ELT_SPOT) {
    // From a widened half-angle of 90 degrees on the cone would open backwards.
    const float halfAngle = kConeAngleMargin * data.OuterCone * irr::core::DEGTORAD;
    if (halfAngle > 0 && halfAngle < irr::core::HALF_PI) {
      const float length = data.Radius * kVolumeMargin;
      // The proxy is a pyramid: its flat sides must hold the round cone.
      const float base = length * std::tan(halfAngle) / std::cos(irr::core::PI / kConeSegments);
      if (std::sqrt(length * length + base * base) < clearance) {
        volume.kind = ELightVolume::Cone;
        volume.world = placed(position, shadowLightDirection(light), base, length);
      }
    }
  }
  return volume;
}

CTkRenderLightBuffer::~CTkRenderLightBuffer() {
  for (CTkEffect* effect : effects_)
    if (effect) effect->drop();
  if (sphere_) sphere_->drop();
  if (cone_) cone_->drop();
}

bool CTkRenderLightBuffer::init(irr::IrrlichtDevice* device, CTkEffectManager* effects, CTkRenderServices* services,
                                const std::string& file) {
  driver_ = device ? device->getVideoDriver() : nullptr;
  services_ = services;
  if (!device || !makeMeshes(device->getSceneManager())) return false;
  return loadEffects(effects, file);
}

// The sphere around the origin; the cone with its tip at the origin, opening
// along +z to its base at z = 1 (the display library makes it standing on its
// base with the tip up at y = 1).
bool CTkRenderLightBuffer::makeMeshes(irr::scene::ISceneManager* scene) {
  const irr::scene::IGeometryCreator* creator = scene->getGeometryCreator();
  sphere_ = creator->createSphereMesh(1.0f, 8, 8);
  if (!sphere_) {
    log(LOG_ERROR, "CTkRenderLightBuffer: failed to create LightSphereMesh");
    return false;
  }
  const irr::video::SColor white(255, 255, 255, 255);
  cone_ = creator->createConeMesh(1.0f, 1.0f, kConeSegments, white, white);
  if (!cone_) {
    log(LOG_ERROR, "CTkRenderLightBuffer: failed to create LightConeMesh");
    return false;
  }
  irr::core::matrix4 tipToOrigin;
  tipToOrigin.setTranslation(irr::core::vector3df(0, -1, 0));
  irr::core::matrix4 upToForward;
  upToForward.setRotationDegrees(irr::core::vector3df(-90, 0, 0));
  scene->getMeshManipulator()->transform(cone_, upToForward * tipToOrigin);
  for (irr::scene::IMesh* mesh : {sphere_, cone_})
    for (irr::u32 i = 0; i < mesh->getMeshBufferCount(); ++i)
      mesh->getMeshBuffer(i)->setHardwareMappingHint(irr::scene::EHM_STATIC);
  return true;
}

bool CTkRenderLightBuffer::loadEffects(CTkEffectManager* effects, const std::string& file) {
  for (int slot = 0; slot < kLightEffectSlotCount; ++slot) {
    if (!lightEffectSlotUsed(slot)) continue;
    effects_[slot] = effects ? effects->createEffect(file.c_str(), -1, lightEffectMacros(slot)) : nullptr;
    if (!effects_[slot]) {
      log(LOG_ERROR, "CTkRenderLightBuffer: failed to load %s", file.c_str());
      return false;
    }
  }
  return true;
}

CTkEffect* CTkRenderLightBuffer::effect(int slot) const {
  return slot >= 0 && slot < kLightEffectSlotCount ? effects_[slot] : nullptr;
}

void CTkRenderLightBuffer::beginFrame(const irr::scene::ICameraSceneNode* camera) {
  counters_ = STkLightBufferCounters();
  if (!driver_) return;
  view_ = driver_->getTransform(irr::video::ETS_VIEW);
  if (!view_.getInverse(inverseView_)) inverseView_ = irr::core::IdentityMatrix;
  // Directions turn with the view's rotation only.
  directionView_ = view_;
  directionView_.setTranslation(irr::core::vector3df(0, 0, 0));
  const irr::core::matrix4& p = driver_->getTransform(irr::video::ETS_PROJECTION);
  viewRay_[0] = p[0] != 0 ? 1.0f / p[0] : 1.0f;
  viewRay_[1] = p[5] != 0 ? 1.0f / p[5] : 1.0f;
  viewRay_[2] = p[8];
  viewRay_[3] = p[9];
  cameraPosition_ = camera ? camera->getAbsolutePosition() : inverseView_.getTranslation();
  cameraNear_ = camera ? camera->getNearValue() : 1.0f;
}

// The variant for the light; `shadowed` comes back false when the light is
// drawn without its map after all.
CTkEffect* CTkRenderLightBuffer::effectFor(irr::scene::ILightSceneNode* light, bool* shadowed) {
  const irr::video::E_LIGHT_TYPE type = light->getLightData().Type;
  const int group = lightEffectGroup(type);
  if (group < 0) {
    log(LOG_ERROR, "CTkRenderLightBuffer: wrong light type");
    return nullptr;
  }
  const CTkLightSceneNodeExt* extension = lightExtensionOf(light);
  const float fuzz = extension ? extension->params().shadowFuzz : 0.0f;
  *shadowed = *shadowed && lightEffectShadows(group);
  CTkEffect* effect = effects_[lightEffectSlot(type, *shadowed, fuzz)];
  if (*shadowed && effect && effect->getParameterIndex("ShadowMap") < 0) {
    log(LOG_ERROR, "CTkRenderLightBuffer: no shader texture parameter ShadowMap");
    *shadowed = false;
    effect = effects_[lightEffectSlot(type, false, fuzz)];
  }
  return effect;
}

void CTkRenderLightBuffer::drawLight(irr::video::ITexture*, irr::scene::ILightSceneNode* light,
                                     const STkLightShadow& shadow) {
  if (!light || !services_) return;
  const irr::video::SLight& data = light->getLightData();
  if (isBlack(data.DiffuseColor)) return;
  bool shadowed = shadow.map && light->getCastShadow();
  CTkEffect* effect = effectFor(light, &shadowed);
  if (!effect) return;
  const STkLightVolume volume = lightVolumeOf(light, cameraPosition_, cameraNear_);
  if (volume.kind == ELightVolume::None) return;
  setLightParameters(effect, light);
  if (shadowed) setShadowParameters(effect, light, shadow);
  irr::scene::IMeshBuffer* proxy = nullptr;
  if (volume.kind == ELightVolume::Sphere) proxy = sphere_->getMeshBuffer(0);
  if (volume.kind == ELightVolume::Cone) proxy = cone_->getMeshBuffer(0);
  if (proxy)
    drawVolume(effect, proxy, volume.world);
  else
    drawFullScreen(effect, shadowed);
  count(light, shadowed, !proxy);
  if (proxy && debug_) drawWireframe(proxy, volume.world);
}

void CTkRenderLightBuffer::setLightParameters(CTkEffect* effect, const irr::scene::ILightSceneNode* light) {
  const irr::video::SLight& data = light->getLightData();
  effect->setFloatArray("ViewRay", viewRay_, 4);
  if (data.Type != irr::video::ELT_DIRECTIONAL) {
    irr::core::vector3df position = light->getAbsolutePosition();
    view_.transformVect(position);
    const float xyz[3] = {position.X, position.Y, position.Z};
    effect->setFloatArray("LightPosition", xyz, 3);
    // A tiny range squared would reach infinity, and 0 x infinity is no number.
    const double inverse = 1.0 / (static_cast<double>(data.Radius) * data.Radius);
    effect->setFloat("InvLightRadiusSqr", static_cast<float>(std::min(inverse, 1e30)));
  }
  if (data.Type != irr::video::ELT_POINT) {
    irr::core::vector3df direction = shadowLightDirection(light);
    directionView_.rotateVect(direction);
    direction.normalize();
    const float xyz[3] = {direction.X, direction.Y, direction.Z};
    effect->setFloatArray("LightDirection", xyz, 3);
  }
  if (data.Type == irr::video::ELT_SPOT) {
    const float angles[2] = {std::cos(data.InnerCone * irr::core::DEGTORAD),
                             std::cos(data.OuterCone * irr::core::DEGTORAD)};
    effect->setFloatArray("SpotlightAngles", angles, 2);
  }
  const float colour[3] = {data.DiffuseColor.r, data.DiffuseColor.g, data.DiffuseColor.b};
  effect->setFloatArray("LightColor", colour, 3);
}

void CTkRenderLightBuffer::setShadowParameters(CTkEffect* effect, const irr::scene::ILightSceneNode* light,
                                               const STkLightShadow& shadow) {
  const CTkLightSceneNodeExt* extension = lightExtensionOf(light);
  const STkLightExtParams params = extension ? extension->params() : STkLightExtParams();
  // View space back to the world, then into the shadow camera's clip space.
  const irr::core::matrix4 viewToShadow = shadow.viewProjection * inverseView_;
  effect->setMatrix("ShadowWorldViewProj", viewToShadow.pointer());
  effect->setFloat("ShadowMaxD", shadow.farValue);
  effect->setFloat("ShadowMinD", shadow.nearValue);
  const irr::video::SColorf colour = params.shadowColor;
  const float multiplier = params.shadowColorMultiplier;
  const float shadowColour[3] = {colour.r * multiplier, colour.g * multiplier, colour.b * multiplier};
  effect->setFloatArray("ShadowColor", shadowColour, 3);
  const irr::core::dimension2du size = shadow.map->getSize();
  const float mapSize[2] = {static_cast<float>(size.Width), static_cast<float>(size.Height)};
  effect->setFloatArray("ShadowMapSize", mapSize, 2);
  effect->setSamplerTexture("ShadowMap", shadow.map);
  const float epsilon = epsilonOverride_ ? epsilonOverrideValue_ : params.shadowEpsilon;
  effect->setFloat("ShadowEpsilon", epsilon * kEpsilonUnit);
}

// Over every pixel, whatever depth the scene has there; a shadow map read off
// its edge finds nothing in front (opaque white) for this draw only.
void CTkRenderLightBuffer::drawFullScreen(CTkEffect* effect, bool shadowed) {
  for (int pass = 0; pass < effect->passCount(0); ++pass) {
    STkMaterial material;
    if (!effect->applyPass(0, pass, &material, true)) continue;
    material.base.ZBuffer = kCompareAlways;
    material.base.ZWriteEnable = false;
    if (shadowed) material.pixelLayers[kShadowMapUnit].whiteBorder = true;
    services_->drawEffectQuad(effect, 0, pass, &material);
  }
}

// The proxy's faces towards the camera, where they are not behind the scene.
void CTkRenderLightBuffer::drawVolume(CTkEffect* effect, irr::scene::IMeshBuffer* buffer,
                                      const irr::core::matrix4& world) {
  driver_->setTransform(irr::video::ETS_WORLD, world);
  for (int pass = 0; pass < effect->passCount(0); ++pass) {
    STkMaterial material;
    if (!effect->applyPass(0, pass, &material, false)) continue;
    material.base.ZBuffer = kCompareLessEqual;
    material.base.ZWriteEnable = false;
    material.base.BackfaceCulling = true;
    material.base.FrontfaceCulling = false;
    services_->drawEffectMeshBuffer(effect, 0, pass, &material, buffer);
  }
}

void CTkRenderLightBuffer::drawWireframe(irr::scene::IMeshBuffer* buffer, const irr::core::matrix4& world) {
  irr::video::SMaterial material;
  material.Wireframe = true;
  material.Lighting = false;
  driver_->setTransform(irr::video::ETS_WORLD, world);
  driver_->setMaterial(material);
  driver_->drawMeshBuffer(buffer);
}

void CTkRenderLightBuffer::count(const irr::scene::ILightSceneNode* light, bool shadowed, bool fullScreen) {
  switch (light->getLightData().Type) {
    case irr::video::ELT_SPOT: ++counters_.spot; break;
    case irr::video::ELT_POINT: ++counters_.point; break;
    default: ++counters_.distant; break;
  }
  if (shadowed) ++counters_.shadowed;
  if (fullScreen) ++counters_.fullScreen;
}

}  // namespace tk
