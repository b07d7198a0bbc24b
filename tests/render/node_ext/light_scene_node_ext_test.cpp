#include "render/node_ext/light_scene_node_ext.h"

#include <gtest/gtest.h>
#include <irrlicht.h>

namespace tk {
namespace {

class LightSceneNodeExtTest : public ::testing::Test {
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

TEST_F(LightSceneNodeExtTest, AttachingTwiceKeepsOneExtensionAndCopiesOfTheLightCopyIt) {
  irr::scene::ILightSceneNode* light = scene()->addLightSceneNode();
  EXPECT_EQ(lightExtensionOf(light), nullptr);
  CTkLightSceneNodeExt* extension = attachLightExtension(light);
  ASSERT_NE(extension, nullptr);
  EXPECT_EQ(attachLightExtension(light), extension);
  EXPECT_EQ(light->getAnimators().size(), 1u);
  EXPECT_EQ(extension->params().shadowMapSize, 512);
  EXPECT_FLOAT_EQ(extension->params().shadowEpsilon, 5.0f);

  extension->params().shadowFuzz = 3.0f;
  irr::video::ITexture* image =
      device_->getVideoDriver()->addTexture(irr::core::dimension2du(4, 4), "projected", irr::video::ECF_A8R8G8B8);
  extension->setProjectedImage(image);
  irr::scene::ISceneNode* copy = light->clone();
  CTkLightSceneNodeExt* copied = lightExtensionOf(copy);
  ASSERT_NE(copied, nullptr);
  EXPECT_NE(copied, extension);
  EXPECT_FLOAT_EQ(copied->params().shadowFuzz, 3.0f);
  EXPECT_EQ(copied->projectedImage(), image);
  // Both extensions hold the image: removing the light keeps the copy's alive.
  light->remove();
  EXPECT_EQ(copied->projectedImage()->getName().getPath(), irr::io::path("projected"));
}

}  // namespace
}  // namespace tk
