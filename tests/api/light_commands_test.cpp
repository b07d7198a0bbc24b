#include "api/light_commands.h"

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
  EXPECT_FLOAT_EQ(light->extension.intensity, 1.0f);
  EXPECT_FLOAT_EQ(light->node->getLightData().DiffuseColor.g, 128 / 255.0f);
  SetLightIntensity(1, 2);
  EXPECT_FLOAT_EQ(light->node->getLightData().DiffuseColor.r, 2.0f);
  SetLightRawColor(1, 0.25f, 0.5f, 0);
  EXPECT_FLOAT_EQ(light->node->getLightData().DiffuseColor.g, 1.0f);
  EXPECT_FLOAT_EQ(light->node->getLightData().DiffuseColor.a, 1.0f);
  ColorLight(1, 0x0000FF);
  EXPECT_FLOAT_EQ(light->extension.intensity, 1.0f);
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

}  // namespace
}  // namespace tk
