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
  const irr::video::SColorf& raw = light->rawColor;
  const float w = light->intensity;
  light->node->getLightData().DiffuseColor = irr::video::SColorf(raw.r * w, raw.g * w, raw.b * w, 1.0f);
}

// The light's extension, or null after reporting a missing ID.
CTkLightSceneNodeExt* extensionOrReport(int id) {
  CTkLightItem* light = lightOrReport(id);
  return light ? light->extension() : nullptr;
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
  // The display library's lights cast shadows from birth; ours only when asked.
  item->node->enableCastShadow(false);
  attachLightExtension(item->node);
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
  light->rawColor = colourOf(colour);
  light->intensity = 1.0f;
  light->node->getLightData().DiffuseColor = colourOf(colour);
}

void SetLightRawColor(int id, float r, float g, float b) {
  CTkLightItem* light = lightOrReport(id);
  if (!light) return;
  light->rawColor = irr::video::SColorf(r, g, b, 1.0f);
  applyDiffuse(light);
}

void SetLightIntensity(int id, float intensity) {
  CTkLightItem* light = lightOrReport(id);
  if (!light) return;
  light->intensity = intensity;
  applyDiffuse(light);
}

void SetLightShadow(int id, bool on) {
  if (CTkLightItem* light = lightOrReport(id)) light->node->enableCastShadow(on);
}

void ColorLightShadow(int id, unsigned colour) {
  if (CTkLightSceneNodeExt* e = extensionOrReport(id)) e->params().shadowColor = colourOf(colour);
}

void SetShadowMapSize(int id, int size) {
  if (CTkLightSceneNodeExt* e = extensionOrReport(id)) e->params().shadowMapSize = size;
}

void SetShadowMapFuzz(int id, float value) {
  if (CTkLightSceneNodeExt* e = extensionOrReport(id)) e->params().shadowFuzz = value;
}

void ColorAmbientLight(unsigned colour) { tkEngine().sceneManager->setAmbientLight(colourOf(colour)); }

void ColorBackdrop(unsigned colour) { tkEngine().clearColor = colourOf(colour).toSColor(); }

void SetLightRotationXYZ(int id) { lightOrReport(id); }
void SetLightRotationZYX(int id) { lightOrReport(id); }

void setLightProjectedImage(int id, const char* file) {
  CTkLightSceneNodeExt* e = extensionOrReport(id);
  if (!e) return;
  irr::video::ITexture* image = nullptr;
  if (file && *file) {
    irr::video::IVideoDriver* driver = tkEngine().driver;
    const bool mipMaps = driver->getTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS);
    driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
    image = driver->getTexture(file);
    driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, mipMaps);
  }
  e->setProjectedImage(image);
}

void setLightVolumetric(int id, bool on) {
  if (CTkLightSceneNodeExt* e = extensionOrReport(id)) e->params().volumetric = on;
}

void setLightVolumetricDensity(int id, float density) {
  if (CTkLightSceneNodeExt* e = extensionOrReport(id)) e->params().volumetricPower = density;
}

void setLightVolumetricBase(int id, float base) {
  if (CTkLightSceneNodeExt* e = extensionOrReport(id)) e->params().volumetricConeBase = base;
}

void setLightVolumetricColor(int id, float r, float g, float b, bool set) {
  CTkLightSceneNodeExt* e = extensionOrReport(id);
  if (!e) return;
  e->params().volumetricColor = irr::video::SColorf(r, g, b, 1.0f);
  e->params().volumetricColorOverride = set;
}

void setLightVolumetricClamp(int id, bool on, float value) {
  CTkLightSceneNodeExt* e = extensionOrReport(id);
  if (!e) return;
  e->params().volumetricClamp = on;
  e->params().volumetricClampMax = value;
}

void setLightVolumetricSetting(int id, int setting) {
  if (CTkLightSceneNodeExt* e = extensionOrReport(id)) e->params().volumetricQuality = setting;
}

void setLightDistantShadowSize(int id, float width, float height) {
  CTkLightSceneNodeExt* e = extensionOrReport(id);
  if (!e) return;
  e->params().distantShadowWidth = width;
  e->params().distantShadowHeight = height;
}

void setLightDistantShadowPlacement(int id, int mode, float offset) {
  CTkLightSceneNodeExt* e = extensionOrReport(id);
  if (!e) return;
  e->params().distantShadowFollowsCamera = mode != 0;
  e->params().distantShadowOffset = offset;
}

void deleteAllLights() {
  IdTable<CTkLightItem>* table = tkEngine().lights;
  if (!table) return;
  for (int id = 0; id <= table->highestId(); ++id) DeleteLight(id);
}

}  // namespace tk
