#include "effects/binds/light_binds.h"

#include <cmath>
#include <string>

#include "base/log.h"
#include "effects/binds/bind_helpers.h"
#include "effects/binds/shadow_camera.h"
#include "effects/definitions/effect_def.h"

namespace tk {
namespace {

// Members of one light record in the shader's structure, in register order.
struct LightMember {
  const char* name;
  int count;
};
const LightMember kLightMembers[] = {
    {"LightColor", 3}, {"LightPosition", 3}, {"LightDirection", 3}, {"InvLightRadiusSqr", 1}, {"SpotlightAngles", 2},
};
constexpr int kLightMemberCount = 5;

const float* memberValues(const STkLightRecord& record, int member) {
  switch (member) {
    case 0: return record.color;
    case 1: return record.position;
    case 2: return record.direction;
    case 3: return &record.invRadiusSqr;
    default: return record.spotAngles;
  }
}

void copy3(float* out, const irr::core::vector3df& v) {
  out[0] = v.X;
  out[1] = v.Y;
  out[2] = v.Z;
}

float inverseSquared(float radius) { return 1.0f / (radius * radius); }

STkLightRecord recordOf(const irr::video::SLight& light, int kind) {
  STkLightRecord record;
  record.color[0] = light.DiffuseColor.r;
  record.color[1] = light.DiffuseColor.g;
  record.color[2] = light.DiffuseColor.b;
  if (kind != kLightKindPoint) copy3(record.direction, light.Direction);
  if (kind != kLightKindDirectional) {
    copy3(record.position, light.Position);
    record.invRadiusSqr = inverseSquared(light.Radius);
  }
  if (kind == kLightKindSpot) {
    record.spotAngles[0] = std::cos(light.InnerCone * irr::core::DEGTORAD);
    record.spotAngles[1] = std::cos(light.OuterCone * irr::core::DEGTORAD);
  }
  return record;
}

int kindOf(const irr::video::SLight& light) {
  switch (light.Type) {
    case irr::video::ELT_DIRECTIONAL: return kLightKindDirectional;
    case irr::video::ELT_SPOT: return kLightKindSpot;
    default: return kLightKindPoint;
  }
}

// The structure's layout matches one register per member only when the
// constant spans exactly that many registers; otherwise (a packed layout)
// the members are written by name.
bool oneRegisterPerMember(const STkFxConstBind& constant, int registers) {
  return constant.registerIndex >= 0 && constant.registerCount == registers;
}

enum : int { kLightsNum, kLightsIni };

}  // namespace

// Light list.

bool CTkEffectBindLightParams::onSetMaterial(const STkMaterialContext*) {
  block_ = STkLightBlock();
  if (!environment_.sceneManager) return true;
  const std::vector<irr::scene::ILightSceneNode*>& lights = environment_.sceneManager->lights();
  int filled = 0;
  for (int kind = 0; kind < kLightKindCount; ++kind) {
    block_.firsts[kind] = filled;
    for (irr::scene::ILightSceneNode* light : lights) {
      if (filled == kLightBlockSize) break;
      const irr::video::SLight& data = light->getLightData();
      if (kindOf(data) != kind) continue;
      block_.records[filled++] = recordOf(data, kind);
      ++block_.counts[kind];
    }
  }
  return true;
}

STkBindResult CTkEffectBindLightParams::getBindFunction(const STkFxConstBind& constant, int privateData[2]) {
  if (constant.stage != kStagePixel) return STkBindResult();
  if (constant.semantic == "LightsNum" || constant.semantic == "LightsIni") {
    privateData[0] = constant.semantic == "LightsNum" ? kLightsNum : kLightsIni;
    return bindAnswer(uploadCounts);
  }
  if (constant.semantic == "LightParams") return bindAnswer(uploadParams);
  return STkBindResult();
}

void CTkEffectBindLightParams::uploadCounts(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                            const STkFxConstBind& constant, const int privateData[2]) {
  const STkLightBlock& block = static_cast<CTkEffectBindLightParams*>(bind)->block_;
  const int* values = privateData[0] == kLightsNum ? block.counts : block.firsts;
  static const char* const kNumMembers[] = {"LightDirsNum", "LightPointsNum", "LightSpotsNum"};
  static const char* const kIniMembers[] = {"LightDirsIni", "LightPointsIni", "LightSpotsIni"};
  const char* const* members = privateData[0] == kLightsNum ? kNumMembers : kIniMembers;
  if (oneRegisterPerMember(constant, kLightKindCount)) {
    float registers[kLightKindCount * 4] = {};
    for (int kind = 0; kind < kLightKindCount; ++kind) registers[kind * 4] = static_cast<float>(values[kind]);
    uploadByRegister(services, constant.stage, registers, constant.registerIndex, kLightKindCount);
    return;
  }
  for (int kind = 0; kind < kLightKindCount; ++kind) {
    const float value = static_cast<float>(values[kind]);
    const std::string name = constant.name + "." + members[kind];
    uploadMemberByName(services, constant.stage, name.c_str(), &value, 1);
  }
}

void CTkEffectBindLightParams::uploadParams(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                            const STkFxConstBind& constant, const int*) {
  const STkLightBlock& block = static_cast<CTkEffectBindLightParams*>(bind)->block_;
  constexpr int kRegisters = kLightBlockSize * kLightMemberCount;
  if (oneRegisterPerMember(constant, kRegisters)) {
    float registers[kRegisters * 4] = {};
    for (int slot = 0; slot < kLightBlockSize; ++slot)
      for (int member = 0; member < kLightMemberCount; ++member) {
        const float* values = memberValues(block.records[slot], member);
        float* out = registers + (slot * kLightMemberCount + member) * 4;
        for (int i = 0; i < kLightMembers[member].count; ++i) out[i] = values[i];
      }
    uploadByRegister(services, constant.stage, registers, constant.registerIndex, kRegisters);
    return;
  }
  for (int slot = 0; slot < kLightBlockSize; ++slot)
    for (int member = 0; member < kLightMemberCount; ++member) {
      const std::string name = constant.name + "[" + std::to_string(slot) + "]." + kLightMembers[member].name;
      uploadMemberByName(services, constant.stage, name.c_str(), memberValues(block.records[slot], member),
                         kLightMembers[member].count);
    }
}

// Lights by index.

namespace {

enum : int { kLightPosition, kLightDirection, kLightDiffuse, kLightParams, kLightViewConvert };

struct IndexedLightSemantic {
  const char* prefix;  // "<prefix><N>"
  const char* member;  // or "Light[<N>].<member>"; null when there is no such form
  int value;
};
const IndexedLightSemantic kIndexedLightSemantics[] = {
    {"LightPos", "Position", kLightPosition},
    {"LightDir", "Direction", kLightDirection},
    {"LightDiffuse", nullptr, kLightDiffuse},
    {nullptr, "Params", kLightParams},
    {"LightViewConvert", "ViewConvert", kLightViewConvert},
};

bool parseLightSemantic(const std::string& semantic, int* index, int* value) {
  std::string member;
  const bool memberForm = parseIndexedMember(semantic, "Light[", "].", index, &member);
  for (const IndexedLightSemantic& row : kIndexedLightSemantics) {
    const bool matches = memberForm ? row.member && member == row.member
                                    : row.prefix && parseIndexedSemantic(semantic, row.prefix, index);
    if (!matches) continue;
    *value = row.value;
    return true;
  }
  return false;
}

// The members of the shader's structure LightParams[index], written by name.
void uploadLightParams(irr::video::IMaterialRendererServices* services, int stage, int index,
                       const irr::video::SLight& light) {
  const STkLightRecord record = recordOf(light, kLightKindSpot);
  for (int member = 0; member < kLightMemberCount; ++member) {
    const std::string name = "LightParams[" + std::to_string(index) + "]." + kLightMembers[member].name;
    uploadMemberByName(services, stage, name.c_str(), memberValues(record, member), kLightMembers[member].count);
  }
}

}  // namespace

STkBindResult CTkEffectBindLight::getBindFunction(const STkFxConstBind& constant, int privateData[2]) {
  if (constant.semantic == "LightAmbient") return bindAnswer(uploadAmbient);
  int index = 0, value = 0;
  if (!parseLightSemantic(constant.semantic, &index, &value)) return STkBindResult();
  privateData[0] = index;
  privateData[1] = value;
  return bindAnswer(uploadOfLight);
}

irr::scene::ILightSceneNode* CTkEffectBindLight::lightAt(int index) const {
  if (!environment_.device) return nullptr;
  int seen = 0;
  for (irr::scene::ISceneNode* child : environment_.device->getSceneManager()->getRootSceneNode()->getChildren()) {
    if (child->getType() != irr::scene::ESNT_LIGHT) continue;
    if (seen++ == index) return static_cast<irr::scene::ILightSceneNode*>(child);
  }
  return nullptr;
}

void CTkEffectBindLight::uploadAmbient(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                       const STkFxConstBind& constant, const int*) {
  const STkBindEnvironment& environment = static_cast<CTkEffectBindLight*>(bind)->environment_;
  if (!environment.device) return;
  const irr::video::SColorf& ambient = environment.device->getSceneManager()->getAmbientLight();
  const float values[4] = {ambient.r, ambient.g, ambient.b, ambient.a};
  uploadByName(services, constant, values, 4);
}

void CTkEffectBindLight::uploadOfLight(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                       const STkFxConstBind& constant, const int privateData[2]) {
  auto* self = static_cast<CTkEffectBindLight*>(bind);
  irr::scene::ILightSceneNode* light = self->lightAt(privateData[0]);
  if (!light) {
    log(LOG_ERROR, "CTkEffectBindLight : Light index %d not found ", privateData[0]);
    return;
  }
  const irr::video::SLight& data = light->getLightData();
  switch (privateData[1]) {
    case kLightPosition: uploadPoint(services, constant, light->getAbsolutePosition(), 1); break;
    case kLightDirection: uploadVector3(services, constant, data.Direction); break;
    case kLightDiffuse: {
      const float values[4] = {data.DiffuseColor.r, data.DiffuseColor.g, data.DiffuseColor.b, data.DiffuseColor.a};
      uploadByName(services, constant, values, 4);
      break;
    }
    case kLightParams: uploadLightParams(services, constant.stage, privateData[0], data); break;
    default: {
      const irr::core::matrix4& view = self->environment_.device->getVideoDriver()->getTransform(irr::video::ETS_VIEW);
      const ITkShadowSettingsLookup* lookup = self->environment_.shadowSettings;
      const STkShadowCamera shadow =
          shadowCameraOf(light, lookup ? lookup->shadowSettingsOf(light) : STkShadowCameraSettings());
      const irr::core::matrix4 convert = firstThen(inverseOrSelf(view), shadow.view, shadow.projection);
      uploadByName(services, constant, convert.pointer(), 16);
      break;
    }
  }
}

}  // namespace tk
