// The light list block, lights by index and the shadow camera they share with
// the renderer.
#include "effects/binds/light_binds.h"

#include "effects/binds/bind_environment.h"
#include "effects/binds/shadow_camera.h"
#include "render/tk_scene_manager.h"
#include "tests/effects/binds/bind_test_support.h"

namespace tk {
namespace {

using test::floatsNear;
using test::valueOf;

class LightBindTest : public test::NullDeviceTest {
 protected:
  void SetUp() override {
    NullDeviceTest::SetUp();
    environment.device = device;
    environment.sceneManager = &tkScenes;
  }

  irr::scene::ILightSceneNode* addLight(irr::video::E_LIGHT_TYPE type, irr::core::vector3df position,
                                        irr::video::SColorf color, float radius,
                                        irr::core::vector3df rotation = {0, 0, 0}) {
    irr::scene::ILightSceneNode* light = scenes->addLightSceneNode(nullptr, position, color, radius);
    light->setRotation(rotation);
    light->updateAbsolutePosition();
    light->setLightType(type);  // recomputes direction and position from the node
    return light;
  }

  STkBindEnvironment environment;
  CTkSceneManager tkScenes;
};

TEST_F(LightBindTest, LightListPutsDirectionalLightsFirst) {
  using irr::video::SColorf;
  tkScenes.registerLight(addLight(irr::video::ELT_POINT, {1, 0, 0}, SColorf(1, 0, 0), 2));
  tkScenes.registerLight(addLight(irr::video::ELT_DIRECTIONAL, {0, 0, 0}, SColorf(0.5f, 0.25f, 1), 100));
  tkScenes.registerLight(addLight(irr::video::ELT_POINT, {2, 0, 0}, SColorf(0, 1, 0), 4));
  tkScenes.registerLight(addLight(irr::video::ELT_POINT, {3, 0, 0}, SColorf(0, 0, 1), 10));
  test::Held<CTkEffectBindLightParams> bind(new CTkEffectBindLightParams(environment));
  ASSERT_TRUE(bind->onSetMaterial(nullptr));

  STkFxConstBind num = test::constantOf(kStagePixel, kParamFloat4, "LightsNum", "LightsNum");
  STkFxConstBind ini = test::constantOf(kStagePixel, kParamFloat4, "LightsIni", "LightsIni");
  STkFxConstBind params = test::constantOf(kStagePixel, kParamFloat4, "LightParams", "LightParams");
  ASSERT_TRUE(test::answers(bind.get(), &num) && test::answers(bind.get(), &ini) && test::answers(bind.get(), &params));
  test::RecordingServices services;
  for (const STkFxConstBind* constant : {&num, &ini, &params}) test::call(*constant, &services);
  auto member = [&](const char* name) { return services.byName(kStagePixel, name); };
  EXPECT_EQ(member("LightsNum.LightDirsNum"), std::vector<float>{1});
  EXPECT_EQ(member("LightsNum.LightPointsNum"), std::vector<float>{3});
  EXPECT_EQ(member("LightsNum.LightSpotsNum"), std::vector<float>{0});
  EXPECT_EQ(member("LightsIni.LightDirsIni"), std::vector<float>{0});
  EXPECT_EQ(member("LightsIni.LightPointsIni"), std::vector<float>{1});
  EXPECT_EQ(member("LightsIni.LightSpotsIni"), std::vector<float>{4});
  EXPECT_TRUE(floatsNear(member("LightParams[0].LightColor"), {0.5f, 0.25f, 1}));
  EXPECT_TRUE(floatsNear(member("LightParams[0].LightDirection"), {0, 0, 1}));
  EXPECT_TRUE(floatsNear(member("LightParams[2].LightPosition"), {2, 0, 0}));
  EXPECT_TRUE(floatsNear(member("LightParams[2].InvLightRadiusSqr"), {1 / 16.0f}));
  EXPECT_TRUE(floatsNear(member("LightParams[4].LightColor"), {0, 0, 0}));
  EXPECT_EQ(member("LightParams[4].SpotlightAngles").size(), 2u);

  STkFxConstBind vertex = test::constantOf(kStageVertex, kParamFloat4, "LightsNum");
  EXPECT_FALSE(test::answers(bind.get(), &vertex)) << "the light list feeds pixel shaders only";
}

TEST_F(LightBindTest, LightListHoldsFiveAndFillsRegistersWhenLaidOutPerMember) {
  for (int i = 0; i < 4; ++i)
    tkScenes.registerLight(addLight(irr::video::ELT_SPOT, {0, 0, 0}, irr::video::SColorf(1, 1, 1), 5));
  tkScenes.registerLight(addLight(irr::video::ELT_DIRECTIONAL, {0, 0, 0}, irr::video::SColorf(1, 1, 1), 5));
  tkScenes.registerLight(addLight(irr::video::ELT_POINT, {0, 0, 0}, irr::video::SColorf(1, 1, 1), 5));
  irr::scene::ILightSceneNode* spot = tkScenes.lights()[0];
  spot->getLightData().InnerCone = 60;
  spot->getLightData().OuterCone = 90;
  test::Held<CTkEffectBindLightParams> bind(new CTkEffectBindLightParams(environment));
  ASSERT_TRUE(bind->onSetMaterial(nullptr));

  STkFxConstBind num = test::constantOf(kStagePixel, kParamFloat4, "LightsNum", "n", 2, 3);
  STkFxConstBind params = test::constantOf(kStagePixel, kParamFloat4, "LightParams", "p", 5, 25);
  ASSERT_TRUE(test::answers(bind.get(), &num) && test::answers(bind.get(), &params));
  test::RecordingServices services;
  test::call(num, &services);
  test::call(params, &services);
  ASSERT_EQ(services.registerWrites.size(), 2u);
  EXPECT_EQ(services.registerWrites[0].firstRegister, 2);
  EXPECT_EQ(services.registerWrites[0].floats, (std::vector<float>{1, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0}));
  const std::vector<float>& registers = services.registerWrites[1].floats;
  ASSERT_EQ(registers.size(), 100u);
  // Slot 2 holds the first spot light; its angles are the slot's fifth register.
  const std::vector<float> angles(registers.begin() + 56, registers.begin() + 60);
  EXPECT_TRUE(floatsNear(angles, {0.5f, 0, 0, 0}));
  EXPECT_TRUE(services.vertexByName.empty() && services.pixelByName.empty());

  // A packed structure spans fewer registers and is written member by member.
  STkFxConstBind packed = test::constantOf(kStagePixel, kParamFloat4, "LightsNum", "n", 2, 1);
  ASSERT_TRUE(test::answers(bind.get(), &packed));
  services.clear();
  test::call(packed, &services);
  EXPECT_TRUE(services.registerWrites.empty());
  EXPECT_EQ(services.byName(kStagePixel, "n.LightSpotsNum"), std::vector<float>{3});
}

TEST_F(LightBindTest, LightsByIndexCountOnlyLightChildrenOfTheRoot) {
  scenes->addEmptySceneNode();
  addLight(irr::video::ELT_POINT, {1, 2, 3}, irr::video::SColorf(1, 0.5f, 0), 8);
  scenes->addLightSceneNode(scenes->addEmptySceneNode());  // below the top level: not counted
  addLight(irr::video::ELT_DIRECTIONAL, {4, 5, 6}, irr::video::SColorf(0, 0, 1, 0.5f), 3);
  scenes->setAmbientLight(irr::video::SColorf(0.1f, 0.2f, 0.3f, 1));
  test::Held<CTkEffectBindLight> bind(new CTkEffectBindLight(environment));

  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LightAmbient"), {0.1f, 0.2f, 0.3f, 1}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LightPos0"), {1, 2, 3, 1}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "Light[1].Position"), {4, 5, 6, 1}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LightDiffuse1"), {0, 0, 1, 0.5f}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "Light[1].Direction", kParamFloat3), {0, 0, 1}));

  STkFxConstBind params = test::constantOf(kStageVertex, kParamFloat4, "Light[0].Params");
  ASSERT_TRUE(test::answers(bind.get(), &params));
  test::RecordingServices services;
  test::call(params, &services);
  EXPECT_TRUE(floatsNear(services.byName(kStageVertex, "LightParams[0].LightColor"), {1, 0.5f, 0}));
  EXPECT_TRUE(floatsNear(services.byName(kStageVertex, "LightParams[0].LightPosition"), {1, 2, 3}));
  EXPECT_TRUE(floatsNear(services.byName(kStageVertex, "LightParams[0].InvLightRadiusSqr"), {1 / 64.0f}));

  STkFxConstBind missing = test::constantOf(kStagePixel, kParamFloat4, "LightDiffuse2");
  ASSERT_TRUE(test::answers(bind.get(), &missing));
  services.clear();
  test::CapturedStdout out;
  test::call(missing, &services);
  test::call(missing, &services);
  const std::string text = out.take();
  const std::string message = "CTkEffectBindLight : Light index 2 not found ";
  EXPECT_NE(text.find(message), std::string::npos) << text;
  EXPECT_NE(text.find(message, text.find(message) + 1), std::string::npos) << "logged at every call";
  EXPECT_TRUE(services.nothingWritten());

  for (const char* semantic : {"Light[0].Diffuse", "LightPos", "LightPos-1", "Light[x].Position", "LightDiffuse 1"}) {
    STkFxConstBind constant = test::constantOf(kStagePixel, kParamFloat4, semantic);
    EXPECT_FALSE(test::answers(bind.get(), &constant)) << semantic;
  }
}

// Clip-space x / w and y / w of a view-space point under a 16-float matrix.
irr::core::vector2df projected(const std::vector<float>& matrix, const irr::core::vector3df& point) {
  irr::f32 clip[4];
  test::matrixOf(matrix).transformVect(clip, point);
  return {clip[0] / clip[3], clip[1] / clip[3]};
}

TEST_F(LightBindTest, ViewConvertMapsViewSpaceIntoTheLightsShadowMap) {
  // A spot light straight down: the look-at needs its fallback up vector.
  irr::scene::ILightSceneNode* spot =
      addLight(irr::video::ELT_SPOT, {0, 10, 0}, irr::video::SColorf(1, 1, 1), 40, {90, 0, 0});
  const irr::core::vector3df down = shadowLightDirection(spot);
  ASSERT_TRUE(down.equals({0, -1, 0}, 1e-4f)) << down.X << " " << down.Y << " " << down.Z;
  test::Held<CTkEffectBindLight> bind(new CTkEffectBindLight(environment));
  const std::vector<float> convert = valueOf(bind.get(), "LightViewConvert0", kParamFloat4x4);
  EXPECT_EQ(valueOf(bind.get(), "Light[0].ViewConvert", kParamFloat4x4), convert);

  // The null driver's view is the identity: view space is world space.
  auto seenFromCamera = [](irr::core::vector3df world) { return world; };
  // Below the light on its axis: the centre of the map.
  const irr::core::vector2df centre = projected(convert, seenFromCamera({0, 2, 0}));
  EXPECT_NEAR(centre.X, 0, 1e-4f);
  EXPECT_NEAR(centre.Y, 0, 1e-4f);
  // Off the axis: away from the centre, the more the further out.
  const irr::core::vector2df near = projected(convert, seenFromCamera({1, 2, 0}));
  const irr::core::vector2df far = projected(convert, seenFromCamera({2, 2, 0}));
  EXPECT_GT(std::abs(near.X) + std::abs(near.Y), 0.05f);
  EXPECT_GT(std::abs(far.X) + std::abs(far.Y), std::abs(near.X) + std::abs(near.Y));
}

TEST_F(LightBindTest, ShadowCameraRangesPerLightType) {
  irr::scene::ILightSceneNode* spot = addLight(irr::video::ELT_SPOT, {0, 0, 0}, irr::video::SColorf(1, 1, 1), 40);
  irr::scene::ILightSceneNode* point = addLight(irr::video::ELT_POINT, {0, 0, 0}, irr::video::SColorf(1, 1, 1), 40);
  irr::scene::ILightSceneNode* sun =
      addLight(irr::video::ELT_DIRECTIONAL, {0, 50, 0}, irr::video::SColorf(1, 1, 1), 40, {45, 0, 0});
  EXPECT_FLOAT_EQ(shadowCameraOf(spot).farValue, 40);
  EXPECT_FLOAT_EQ(shadowCameraOf(point).farValue, 5000);
  STkShadowCameraSettings settings;
  settings.distantOffset = 10;
  const STkShadowCamera distant = shadowCameraOf(sun, settings);
  EXPECT_FLOAT_EQ(distant.farValue, 1);
  EXPECT_TRUE(distant.position.equals(irr::core::vector3df(0, 50, 0) - distant.direction * 10, 1e-4f));
  // Orthographic: a point's map position does not depend on its depth.
  irr::core::vector3df shallow = distant.position + distant.direction * 5 + irr::core::vector3df(3, 0, 0);
  irr::core::vector3df deep = distant.position + distant.direction * 500 + irr::core::vector3df(3, 0, 0);
  const irr::core::matrix4 viewProjection = distant.projection * distant.view;
  viewProjection.transformVect(shallow);
  viewProjection.transformVect(deep);
  EXPECT_NEAR(shallow.X, deep.X, 1e-4f);
  EXPECT_NEAR(std::abs(shallow.X), 3 * 2 / 30.0f, 1e-4f);  // the 30-unit box spans -1 to 1
}

// The engine keeps each light's shadow box elsewhere; the bind asks for it.
TEST_F(LightBindTest, ViewConvertTakesTheLightsOwnShadowBox) {
  struct NarrowBox : ITkShadowSettingsLookup {
    STkShadowCameraSettings shadowSettingsOf(const irr::scene::ILightSceneNode*) const override {
      STkShadowCameraSettings settings;
      settings.distantWidth = settings.distantHeight = 10;
      return settings;
    }
  } narrowBox;
  addLight(irr::video::ELT_DIRECTIONAL, {0, 50, 0}, irr::video::SColorf(1, 1, 1), 40, {90, 0, 0});
  auto offAxisX = [&](const ITkShadowSettingsLookup* lookup) {
    environment.shadowSettings = lookup;
    test::Held<CTkEffectBindLight> bind(new CTkEffectBindLight(environment));
    return std::abs(projected(valueOf(bind.get(), "LightViewConvert0", kParamFloat4x4), {3, 0, 0}).X);
  };
  EXPECT_NEAR(offAxisX(nullptr), 3 * 2 / 30.0f, 1e-4f);
  EXPECT_NEAR(offAxisX(&narrowBox), 3 * 2 / 10.0f, 1e-4f);
}

}  // namespace
}  // namespace tk
