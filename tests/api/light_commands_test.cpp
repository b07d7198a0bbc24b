#include "api/light_commands.h"

#include <functional>

#include "api/engine_items.h"
#include "render/tk_manager.h"
#include "tests/api/commands_fixture.h"

namespace tk {
namespace {

using LightCommandsTest = test::EngineCommandsTest;

TEST_F(LightCommandsTest, NewLightDefaultsAndRegistration) {
  ASSERT_EQ(MakeLight(2), 0);
  CTkLightItem* light = tkEngine().lights->get(2);
  EXPECT_EQ(light->node->getLightType(), irr::video::ELT_POINT);
  EXPECT_FLOAT_EQ(light->node->getRadius(), 10000000.0f);
  EXPECT_EQ(tkEngine().manager->getSceneManager()->lights().size(), 1u);
  EXPECT_EQ(MakeLight(2), -1);
  EXPECT_EQ(failure(), "1: invalid Light ID 2 : id 2 already exist");
  DeleteLight(2);
  EXPECT_FALSE(LightExist(2));
  EXPECT_TRUE(tkEngine().manager->getSceneManager()->lights().empty());
}

TEST_F(LightCommandsTest, ColourBookkeepingKeepsRawColourAndIntensityApart) {
  ASSERT_EQ(MakeLight(1), 0);
  CTkLightItem* light = tkEngine().lights->get(1);
  ColorLight(1, 0xFF8000);
  EXPECT_FLOAT_EQ(light->intensity, 1.0f);
  EXPECT_FLOAT_EQ(light->node->getLightData().DiffuseColor.g, 128 / 255.0f);
  SetLightIntensity(1, 2);
  EXPECT_FLOAT_EQ(light->node->getLightData().DiffuseColor.r, 2.0f);
  SetLightRawColor(1, 0.25f, 0.5f, 0);
  EXPECT_FLOAT_EQ(light->node->getLightData().DiffuseColor.g, 1.0f);
  EXPECT_FLOAT_EQ(light->node->getLightData().DiffuseColor.a, 1.0f);
  ColorLight(1, 0x0000FF);
  EXPECT_FLOAT_EQ(light->intensity, 1.0f);
  EXPECT_FLOAT_EQ(light->node->getLightData().DiffuseColor.b, 1.0f);
}

TEST_F(LightCommandsTest, TypesAndMissingIds) {
  ASSERT_EQ(MakeLight(1), 0);
  CTkLightItem* light = tkEngine().lights->get(1);
  SetSpotLight(1, 10, 30);
  EXPECT_EQ(light->node->getLightType(), irr::video::ELT_SPOT);
  EXPECT_FLOAT_EQ(light->node->getLightData().OuterCone, 30);
  SetDirectionalLight(1, 0, 90, 0);
  EXPECT_EQ(light->node->getLightType(), irr::video::ELT_DIRECTIONAL);
  EXPECT_EQ(light->node->getRotation(), irr::core::vector3df(0, 90, 0));
  SetLightRange(7, 5);
  EXPECT_EQ(failure(), "1: Light ID 7 does not exist. id 7 does not exist");
  ColorBackdrop(0x113366);
  EXPECT_EQ(tkEngine().clearColor.color, 0xFF113366u);
}

TEST_F(LightCommandsTest, ANewLightCarriesItsExtensionAndCastsNoShadow) {
  ASSERT_EQ(MakeLight(1), 0);
  CTkLightItem* light = tkEngine().lights->get(1);
  EXPECT_FALSE(light->node->getCastShadow());
  ASSERT_NE(light->extension(), nullptr);
  const STkLightExtParams& p = light->extension()->params();
  EXPECT_EQ(p.shadowMapSize, 512);
  EXPECT_FLOAT_EQ(p.shadowFuzz, 0);
  EXPECT_FLOAT_EQ(p.distantShadowWidth, 30);
  EXPECT_FALSE(p.volumetric);
  EXPECT_EQ(light->extension()->projectedImage(), nullptr);
}

// Each command writes its one value onto the light; a missing ID is reported.
TEST_F(LightCommandsTest, ShadowAndVolumetricCommandsWriteTheLight) {
  struct Case {
    const char* name;
    std::function<void(int)> run;
    std::function<bool(const irr::scene::ILightSceneNode*, const STkLightExtParams&)> holds;
  };
  using Light = const irr::scene::ILightSceneNode*;
  using Params = const STkLightExtParams&;
  const Case cases[] = {
      {"SetLightShadow on", [](int id) { SetLightShadow(id, true); },
       [](Light l, Params) { return l->getCastShadow(); }},
      {"ColorLightShadow", [](int id) { ColorLightShadow(id, 0x3366CC); },
       [](Light, Params p) { return p.shadowColor.r == 0.2f && p.shadowColor.g == 0.4f && p.shadowColor.b == 0.8f; }},
      {"SetShadowMapSize", [](int id) { SetShadowMapSize(id, 1024); },
       [](Light, Params p) { return p.shadowMapSize == 1024; }},
      {"SetShadowMapFuzz", [](int id) { SetShadowMapFuzz(id, 2.5f); },
       [](Light, Params p) { return p.shadowFuzz == 2.5f; }},
      {"volumetric", [](int id) { setLightVolumetric(id, true); }, [](Light, Params p) { return p.volumetric; }},
      {"density", [](int id) { setLightVolumetricDensity(id, 3); },
       [](Light, Params p) { return p.volumetricPower == 3; }},
      {"base", [](int id) { setLightVolumetricBase(id, 0.25f); },
       [](Light, Params p) { return p.volumetricConeBase == 0.25f; }},
      {"volumetric colour", [](int id) { setLightVolumetricColor(id, 1, 0.5f, 0, true); },
       [](Light, Params p) { return p.volumetricColorOverride && p.volumetricColor.g == 0.5f; }},
      {"clamp", [](int id) { setLightVolumetricClamp(id, true, 4); },
       [](Light, Params p) { return p.volumetricClamp && p.volumetricClampMax == 4; }},
      {"setting", [](int id) { setLightVolumetricSetting(id, 2); },
       [](Light, Params p) { return p.volumetricQuality == 2; }},
      {"distant box", [](int id) { setLightDistantShadowSize(id, 60, 20); },
       [](Light, Params p) { return p.distantShadowWidth == 60 && p.distantShadowHeight == 20; }},
      {"placement 1", [](int id) { setLightDistantShadowPlacement(id, 1, 50); },
       [](Light, Params p) { return p.distantShadowFollowsCamera && p.distantShadowOffset == 50; }},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(MakeLight(1), 0);
    CTkLightItem* light = tkEngine().lights->get(1);
    EXPECT_FALSE(c.holds(light->node, light->extension()->params())) << c.name << " holds before";
    c.run(1);
    EXPECT_TRUE(c.holds(light->node, light->extension()->params())) << c.name;
    DeleteLight(1);
    c.run(7);
    EXPECT_EQ(failure(), "1: Light ID 7 does not exist. id 7 does not exist") << c.name;
  }
}

TEST_F(LightCommandsTest, ShadowsAndPlacementSwitchOffAgain) {
  ASSERT_EQ(MakeLight(1), 0);
  CTkLightItem* light = tkEngine().lights->get(1);
  SetLightShadow(1, true);
  SetLightShadow(1, false);
  EXPECT_FALSE(light->node->getCastShadow());
  setLightDistantShadowPlacement(1, 2, 1);
  setLightDistantShadowPlacement(1, 0, 1);
  EXPECT_FALSE(light->extension()->params().distantShadowFollowsCamera);
}

TEST_F(LightCommandsTest, ProjectedImageLoadsAndClears) {
  ASSERT_EQ(MakeLight(1), 0);
  CTkLightSceneNodeExt* extension = tkEngine().lights->get(1)->extension();
  setLightProjectedImage(1, example("scenes/gallery/tiles.bmp").c_str());
  ASSERT_NE(extension->projectedImage(), nullptr);
  EXPECT_NE(extension->projectedImage()->getName().getPath().find("tiles.bmp"), -1);
  setLightProjectedImage(1, "");
  EXPECT_EQ(extension->projectedImage(), nullptr);
}

TEST_F(LightCommandsTest, ACopyOfTheLightKeepsItsShadowValues) {
  ASSERT_EQ(MakeLight(1), 0);
  SetSpotLight(1, 10, 30);
  SetLightShadow(1, true);
  SetShadowMapSize(1, 256);
  SetShadowMapFuzz(1, 4);
  setLightDistantShadowPlacement(1, 1, 20);
  irr::scene::ISceneNode* copy = tkEngine().lights->get(1)->node->clone();
  ASSERT_EQ(copy->getType(), irr::scene::ESNT_LIGHT);
  EXPECT_TRUE(static_cast<irr::scene::ILightSceneNode*>(copy)->getCastShadow());
  const CTkLightSceneNodeExt* copied = lightExtensionOf(copy);
  ASSERT_NE(copied, nullptr);
  ASSERT_NE(copied, tkEngine().lights->get(1)->extension());
  EXPECT_EQ(copied->params().shadowMapSize, 256);
  EXPECT_FLOAT_EQ(copied->params().shadowFuzz, 4);
  EXPECT_TRUE(copied->params().distantShadowFollowsCamera);
  EXPECT_FLOAT_EQ(copied->params().distantShadowOffset, 20);
  copy->remove();
}

}  // namespace
}  // namespace tk
