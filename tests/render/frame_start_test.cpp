// The start of every frame: lights moved or turned since they were made hand
// the driver where they are now (a walk of our own does not register them the
// display library's way, which is what would update them).
#include "render/frame_start.h"

#include <gtest/gtest.h>
#include <irrlicht.h>

namespace tk {
namespace {

TEST(FrameStartTest, LightsHandTheDriverTheirPlaceAndTurnOfThisFrame) {
  irr::SIrrlichtCreationParameters params;
  params.DriverType = irr::video::EDT_NULL;
  params.LoggingLevel = irr::ELL_NONE;
  irr::IrrlichtDevice* device = irr::createDeviceEx(params);
  ASSERT_TRUE(device);
  irr::scene::ISceneManager* scene = device->getSceneManager();
  scene->setActiveCamera(scene->addCameraSceneNode());
  irr::scene::ILightSceneNode* sun = scene->addLightSceneNode();
  sun->setLightType(irr::video::ELT_DIRECTIONAL);
  irr::scene::ILightSceneNode* spot = scene->addLightSceneNode();
  spot->setLightType(irr::video::ELT_SPOT);
  // Made, then placed: the light data still holds the made state.
  sun->setRotation({90, 0, 0});  // looking straight down
  spot->setPosition({1, 2, 3});
  spot->setRotation({0, 90, 0});  // looking along +x

  CTkRenderServices services(device);
  CTkFrameLists frame;
  frame.startFrame(device, services);
  ASSERT_EQ(frame.lights().size(), 2u);
  EXPECT_TRUE(sun->getLightData().Direction.equals({0, -1, 0}, 1e-5f));
  EXPECT_TRUE(spot->getLightData().Direction.equals({1, 0, 0}, 1e-5f));
  EXPECT_TRUE(spot->getLightData().Position.equals({1, 2, 3}, 1e-5f));
  device->drop();
}

}  // namespace
}  // namespace tk
