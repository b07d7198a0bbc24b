// The render target registry on the null driver: a name made twice finds
// the newest target, through the registry and through the display library.
#include <gtest/gtest.h>
#include <irrlicht.h>

#include "render/render_target_registry.h"

namespace tk {
namespace {

TEST(RenderTargetRegistryTest, ATargetMadeAgainReplacesTheOldOneForItsName) {
  irr::IrrlichtDevice* device = irr::createDevice(irr::video::EDT_NULL);
  ASSERT_TRUE(device);
  irr::video::IVideoDriver* driver = device->getVideoDriver();
  RenderTargetRegistry registry(driver);
  // Other textures around the name, so that a lookup among duplicates could land on either.
  for (const char* other : {"Alpha", "DepthRTT2", "Zeta", "/abs/path.png"})
    driver->addTexture(irr::core::dimension2du(4, 4), other);
  irr::video::ITexture* first = registry.create("DepthRTT", {8, 8}, irr::video::ECF_R32F, false, false);
  irr::video::ITexture* second = registry.create("DepthRTT", {16, 16}, irr::video::ECF_R32F, false, false);
  ASSERT_TRUE(first && second);
  ASSERT_NE(first, second);
  EXPECT_EQ(registry.find("DepthRTT")->texture, second);
  EXPECT_EQ(driver->findTexture("DepthRTT"), second);
  EXPECT_EQ(first->getName().getPath(), "DepthRTT (replaced)");  // still there for whoever holds it
  device->drop();
}

}  // namespace
}  // namespace tk
