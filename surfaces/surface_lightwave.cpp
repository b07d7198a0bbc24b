#include "surfaces/surface_lightwave.h"

#include <cstring>

#include "surfaces/lightwave_macros.h"
#include "surfaces/lightwave_material.h"
#include "surfaces/lightwave_parameters.h"
#include "surfaces/lightwave_samplers.h"
#include "surfaces/surface_samplers.h"

namespace tk {
namespace {

void replaceTexture(STkSurfaceParameter* slot, irr::video::ITexture* texture) {
  if (slot->texture == texture) return;
  if (texture) texture->grab();
  if (slot->texture) slot->texture->drop();
  slot->texture = texture;
}

}  // namespace

CTkSurfaceLightwave::CTkSurfaceLightwave() {
  setVector(kLwBaseColor, {0.78f, 0.78f, 0.78f});
  setFloat(kLwDiffuse, 1.0f);
  setFloat(kLwBump, 1.0f);
  setFloat(kLwGlossiness, 0.4f);
  setFloat(kLwLineSize, 1.0f);
  setFloat(kLwVertexColoring, 1.0f);
}

CTkSurfaceLightwave::~CTkSurfaceLightwave() { clear(); }

void CTkSurfaceLightwave::clear() {
  for (STkSurfaceParameter& parameter : slots_) {
    replaceTexture(&parameter, nullptr);
    parameter = STkSurfaceParameter();
  }
}

STkSurfaceParameter* CTkSurfaceLightwave::slot(int index) {
  return index >= 0 && index < kSurfaceParameterCount ? &slots_[index] : nullptr;
}
const STkSurfaceParameter* CTkSurfaceLightwave::slot(int index) const {
  return index >= 0 && index < kSurfaceParameterCount ? &slots_[index] : nullptr;
}

void CTkSurfaceLightwave::setData(const void* data) {
  if (!data || data == slots_) return;
  const auto* from = static_cast<const STkSurfaceParameter*>(data);
  for (int i = 0; i < kSurfaceParameterCount; ++i) {
    replaceTexture(&slots_[i], from[i].texture);
    std::memcpy(slots_[i].value, from[i].value, sizeof slots_[i].value);
    slots_[i].textureOption = from[i].textureOption;
  }
}

ITkSurface* CTkSurfaceLightwave::clone() const {
  auto* copy = new CTkSurfaceLightwave();
  copy->setData(slots_);
  return copy;
}

// ---- parameters -------------------------------------------------------------

void CTkSurfaceLightwave::setFloat(int index, float value) {
  if (STkSurfaceParameter* p = slot(index)) p->value[0] = value;
}

void CTkSurfaceLightwave::setInt(int index, int value) {
  if (STkSurfaceParameter* p = slot(index)) std::memcpy(&p->value[0], &value, sizeof value);
}

void CTkSurfaceLightwave::setVector(int index, const irr::core::vector3df& value) {
  if (STkSurfaceParameter* p = slot(index)) {
    p->value[0] = value.X;
    p->value[1] = value.Y;
    p->value[2] = value.Z;
  }
}

void CTkSurfaceLightwave::setTexture(int index, irr::video::ITexture* texture) {
  if (STkSurfaceParameter* p = slot(index)) replaceTexture(p, texture);
}

void CTkSurfaceLightwave::setTextureOption(int index, uint8_t option) {
  if (STkSurfaceParameter* p = slot(index)) p->textureOption = option;
}

float CTkSurfaceLightwave::getFloat(int index) const {
  const STkSurfaceParameter* p = slot(index);
  return p ? p->value[0] : 0.0f;
}

int CTkSurfaceLightwave::getInt(int index) const {
  int value = 0;
  if (const STkSurfaceParameter* p = slot(index)) std::memcpy(&value, &p->value[0], sizeof value);
  return value;
}

irr::core::vector3df CTkSurfaceLightwave::getVector(int index) const {
  const STkSurfaceParameter* p = slot(index);
  return p ? irr::core::vector3df(p->value[0], p->value[1], p->value[2]) : irr::core::vector3df(0, 0, 0);
}

irr::video::ITexture* CTkSurfaceLightwave::getTexture(int index) const {
  const STkSurfaceParameter* p = slot(index);
  return p ? p->texture : nullptr;
}

uint8_t CTkSurfaceLightwave::getTextureOption(int index) const {
  const STkSurfaceParameter* p = slot(index);
  return p ? p->textureOption : 0;
}

// ---- drawing ----------------------------------------------------------------

bool CTkSurfaceLightwave::needsTangents() const { return getTexture(kLwBump) != nullptr; }

void CTkSurfaceLightwave::initFromMaterial(const STkMaterial& material) {
  clear();
  initLightwaveFromMaterial(material, this);
}

void CTkSurfaceLightwave::applyToMaterial(STkMaterial* material) const { applyLightwaveToMaterial(*this, material); }

bool CTkSurfaceLightwave::getEffectCompileParameters(int* baseMaterial, ShaderMacroList* macros, int* capacity,
                                                     irr::scene::ISceneNode* node,
                                                     const ITkSurfaceHostLookup* hosts) const {
  ITkSurfaceHost* host = node && hosts ? hosts->findSurfaceHost(node) : nullptr;
  return lightwaveCompileParameters(*this, node != nullptr, host, baseMaterial, macros, capacity);
}

bool CTkSurfaceLightwave::setEffectTextures(CTkEffect* effect) const {
  return putTexturesOnEffect(lightwaveSamplerTextures(*this), effect, "CTkSurfaceLightwave");
}

bool CTkSurfaceLightwave::setEffectTextureOnMaterial(STkMaterial* material, const CTkEffect* effect, int technique,
                                                     int pass) const {
  return putTexturesOnMaterial(lightwaveSamplerTextures(*this), getTexture(kLwBaseColor),
                               getTextureOption(kLwBaseColor), material, effect, technique, pass,
                               "CTkSurfaceLightwave");
}

}  // namespace tk
