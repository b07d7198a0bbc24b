#include "api/light_commands.h"

#include "api/engine_items.h"
#include "base/log.h"
#include "render/tk_manager.h"

namespace tk {
namespace {

irr::video::SColorf colourOf(unsigned rgb) {
  return irr::video::SColorf(((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f, 1.0f);
}

// The node's diffuse colour is the raw colour times the intensity.
void applyDiffuse(CTkLightItem* light) {
  const STkLightExtension& e = light->extension;
  light->node->getLightData().DiffuseColor =
      irr::video::SColorf(e.rawColor.r * e.intensity, e.rawColor.g * e.intensity, e.rawColor.b * e.intensity, 1.0f);
}

}  // namespace

int MakeLight(int id) {
  auto* item = new CTkLightItem();
  if (tkEngine().lights->add(id, item) != 0) {
    logErrorCode(kErrorArgument1, "invalid Light ID %d : %s", id, idErrorText());
    delete item;
    return -1;
  }
  item->node = tkEngine().sceneManager->addLightSceneNode(nullptr, irr::core::vector3df(0, 0, 0),
                                                          irr::video::SColorf(1, 1, 1, 1), 100.0f);
  if (!item->node) {
    logErrorCode(kErrorNoArgument, "failed to create light");
    tkEngine().lights->remove(id);
    delete item;
    return -1;
  }
  tkEngine().manager->getSceneManager()->registerLight(item->node);
  item->node->setRadius(10000000.0f);
  return 0;
}

void SetDirectionalLight(int id, float x, float y, float z) {
  if (CTkLightItem* light = lightOrReport(id)) {
    light->node->setLightType(irr::video::ELT_DIRECTIONAL);
    light->node->setRotation(irr::core::vector3df(x, y, z));
  }
}

void SetPointLight(int id, float x, float y, float z) {
  if (CTkLightItem* light = lightOrReport(id)) {
    light->node->setLightType(irr::video::ELT_POINT);
    light->node->setPosition(irr::core::vector3df(x, y, z));
  }
}

void SetSpotLight(int id, float inner, float outer) {
  if (CTkLightItem* light = lightOrReport(id)) {
    light->node->setLightType(irr::video::ELT_SPOT);
    light->node->getLightData().InnerCone = inner;
    light->node->getLightData().OuterCone = outer;
  }
}

bool LightExist(int id) { return tkEngine().lights && tkEngine().lights->get(id) != nullptr; }

bool LightVisible(int id) {
  CTkLightItem* light = lightOrReport(id);
  return light && light->node->isVisible();
}

void ShowLight(int id) {
  if (CTkLightItem* light = lightOrReport(id)) light->node->setVisible(true);
}

void HideLight(int id) {
  if (CTkLightItem* light = lightOrReport(id)) light->node->setVisible(false);
}

void DeleteLight(int id) {
  CTkLightItem* light = tkEngine().lights->get(id);
  if (!light) return;
  tkEngine().manager->getSceneManager()->unregisterLight(light->node);
  light->node->remove();
  tkEngine().lights->remove(id);
  delete light;
}

void PositionLight(int id, float x, float y, float z) {
  if (CTkLightItem* light = lightOrReport(id)) light->node->setPosition(irr::core::vector3df(x, y, z));
}

void RotateLight(int id, float x, float y, float z) {
  if (CTkLightItem* light = lightOrReport(id)) light->node->setRotation(irr::core::vector3df(x, y, z));
}

void SetLightRange(int id, float range) {
  if (CTkLightItem* light = lightOrReport(id)) light->node->setRadius(range);
}

void ColorLight(int id, unsigned colour) {
  CTkLightItem* light = lightOrReport(id);
  if (!light) return;
  light->extension.rawColor = colourOf(colour);
  light->extension.intensity = 1.0f;
  light->node->getLightData().DiffuseColor = colourOf(colour);
}

void SetLightRawColor(int id, float r, float g, float b) {
  CTkLightItem* light = lightOrReport(id);
  if (!light) return;
  light->extension.rawColor = irr::video::SColorf(r, g, b, 1.0f);
  applyDiffuse(light);
}

void SetLightIntensity(int id, float intensity) {
  CTkLightItem* light = lightOrReport(id);
  if (!light) return;
  light->extension.intensity = intensity;
  applyDiffuse(light);
}

void SetLightShadow(int id, bool on) {
  if (CTkLightItem* light = lightOrReport(id)) light->extension.castShadows = on;
}

void ColorLightShadow(int id, unsigned colour) {
  if (CTkLightItem* light = lightOrReport(id)) light->extension.shadowColor = colourOf(colour);
}

void SetShadowMapSize(int id, int size) {
  if (CTkLightItem* light = lightOrReport(id)) light->extension.shadowMapSize = size;
}

void SetShadowMapFuzz(int id, float value) {
  if (CTkLightItem* light = lightOrReport(id)) light->extension.shadowMapFuzz = value;
}

void ColorAmbientLight(unsigned colour) { tkEngine().sceneManager->setAmbientLight(colourOf(colour)); }

void ColorBackdrop(unsigned colour) { tkEngine().clearColor = colourOf(colour).toSColor(); }

void SetLightRotationXYZ(int id) { lightOrReport(id); }
void SetLightRotationZYX(int id) { lightOrReport(id); }

void deleteAllLights() {
  IdTable<CTkLightItem>* table = tkEngine().lights;
  if (!table) return;
  for (int id = 0; id <= table->highestId(); ++id) DeleteLight(id);
}

}  // namespace tk
