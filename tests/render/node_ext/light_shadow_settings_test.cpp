#include "render/node_ext/light_shadow_settings.h"

#include <gtest/gtest.h>
#include <irrlicht.h>

#include <cmath>
#include <functional>
#include <limits>

#include "render/node_ext/light_scene_node_ext.h"

namespace tk {
namespace {

class LightShadowSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    irr::SIrrlichtCreationParameters params;
    params.DriverType = irr::video::EDT_NULL;
    params.LoggingLevel = irr::ELL_NONE;
    device_ = irr::createDeviceEx(params);
    ASSERT_NE(device_, nullptr);
  }
  void TearDown() override { device_->drop(); }
  irr::scene::ISceneManager* scene() { return device_->getSceneManager(); }

  irr::IrrlichtDevice* device_ = nullptr;
};

TEST_F(LightShadowSettingsTest, TheDistantBoxComesFromTheExtension) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char* name;
    std::function<void(STkLightExtParams&)> set;
    float width, height, offset;
    bool follows;
  };
  const Case cases[] = {
      {"defaults", [](STkLightExtParams&) {}, 30, 30, 1, false},
      {"own box",
       [](STkLightExtParams& p) {
         p.distantShadowWidth = 12;
         p.distantShadowHeight = 8;
         p.distantShadowOffset = 40;
       },
       12, 8, 40, false},
      {"follows", [](STkLightExtParams& p) { p.distantShadowFollowsCamera = true; }, 30, 30, 1, true},
      {"flat box",
       [](STkLightExtParams& p) {
         p.distantShadowWidth = 0;
         p.distantShadowHeight = -5;
       },
       30, 30, 1, false},
      {"not numbers",
       [](STkLightExtParams& p) {
         p.distantShadowWidth = kNaN;
         p.distantShadowOffset = kNaN;
         p.distantShadowHeight = INFINITY;
       },
       30, 30, 1, false},
  };
  irr::scene::ICameraSceneNode* camera = scene()->addCameraSceneNode();
  for (const Case& c : cases) {
    irr::scene::ILightSceneNode* light = scene()->addLightSceneNode();
    c.set(attachLightExtension(light)->params());
    const STkShadowCameraSettings settings = shadowCameraSettingsOf(light, camera);
    EXPECT_FLOAT_EQ(settings.distantWidth, c.width) << c.name;
    EXPECT_FLOAT_EQ(settings.distantHeight, c.height) << c.name;
    EXPECT_FLOAT_EQ(settings.distantOffset, c.offset) << c.name;
    EXPECT_EQ(settings.followCamera, c.follows ? camera : nullptr) << c.name;
  }
}

TEST_F(LightShadowSettingsTest, TheLookupFollowsTheActiveCameraAndLightsWithoutExtensionGetDefaults) {
  irr::scene::ILightSceneNode* bare = scene()->addLightSceneNode();
  irr::scene::ILightSceneNode* following = scene()->addLightSceneNode();
  attachLightExtension(following)->params().distantShadowFollowsCamera = true;
  const CTkLightShadowSettings lookup(scene());
  EXPECT_EQ(lookup.shadowSettingsOf(following).followCamera, nullptr);  // no camera yet
  irr::scene::ICameraSceneNode* first = scene()->addCameraSceneNode();
  irr::scene::ICameraSceneNode* second = scene()->addCameraSceneNode(nullptr, {}, {0, 0, 100}, -1, false);
  EXPECT_EQ(lookup.shadowSettingsOf(following).followCamera, first);
  scene()->setActiveCamera(second);
  EXPECT_EQ(lookup.shadowSettingsOf(following).followCamera, second);
  EXPECT_EQ(lookup.shadowSettingsOf(bare).followCamera, nullptr);
  EXPECT_FLOAT_EQ(lookup.shadowSettingsOf(bare).distantWidth, 30);
}

}  // namespace
}  // namespace tk
