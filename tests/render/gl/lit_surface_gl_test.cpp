// The runtime's lit surface effect on the example torus: the mesh is drawn by
// the engine's material renderer with transforms, light and camera values fed
// by the binds, where the display library's camera says it is, lit on the
// side facing the light.
#include <gtest/gtest.h>

#include <memory>

#include "base/log.h"
#include "platform/screenshot/frame_keeper.h"
#include "render/engine.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

struct Released {
  void operator()(CTkEffect* effect) const { effect->drop(); }
};

class LitSurfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0);
  }
  void TearDown() override { tkSysShutdown(); }

  // Brightness of the pixel where a world point lands, top row first.
  int brightnessAt(const std::vector<uint8_t>& rgb, const irr::core::vector3df& point) {
    irr::core::position2di at = tkEngine().device->getSceneManager()->getSceneCollisionManager()
                                    ->getScreenCoordinatesFrom3DPosition(point);
    EXPECT_TRUE(at.X >= 0 && at.X < kWidth && at.Y >= 0 && at.Y < kHeight) << at.X << "," << at.Y;
    const uint8_t* p = &rgb[(static_cast<size_t>(at.Y) * kWidth + at.X) * 3];
    return p[0] + p[1] + p[2];
  }
};

TEST_F(LitSurfaceTest, TheExampleTorusIsLitOnTheSideFacingTheLight) {
  irr::scene::ISceneManager* scene = tkEngine().device->getSceneManager();
  CTkEffectManager* effects = tkEngine().manager->getEffectManager();
  const std::string effectPath = std::string(TESK_SOURCE_DIR) + "/runtime/shadersSURF/LitSurface.hlsl";
  std::unique_ptr<CTkEffect, Released> effect(effects->createEffect(effectPath.c_str(), -1, {}));
  ASSERT_TRUE(effect) << effects->getLastError();

  irr::scene::IMesh* mesh = scene->getMesh((std::string(TESK_SOURCE_DIR) + "/examples/objects/torus.obj").c_str());
  ASSERT_TRUE(mesh);
  // The ring lies across the view, moved right: the picture is not symmetric.
  irr::scene::IMeshSceneNode* torus = scene->addMeshSceneNode(mesh, nullptr, -1, {6, 0, 0});
  scene->addLightSceneNode(nullptr, {-60, 0, -20}, irr::video::SColorf(1, 1, 1), 500);
  scene->setAmbientLight(irr::video::SColorf(0.1f, 0.1f, 0.1f));
  irr::scene::ICameraSceneNode* camera = scene->addCameraSceneNode(nullptr, {6, 0, -60}, {6, 0, 0});
  scene->setActiveCamera(camera);

  // What a node's material record does: the pass in the node's materials,
  // tied to the effect through a material context.
  STkMaterial pass;
  ASSERT_TRUE(effect->applyPass(0, 0, &pass, false));
  STkMaterialContext context;
  context.effect = effect.get();
  context.material = &pass;
  context.node = torus;
  TkMaterialContextSlot slot(tkEngine().manager->getMaterialContexts(), &context);
  for (irr::u32 i = 0; i < torus->getMaterialCount(); ++i) {
    irr::video::SMaterial& material = torus->getMaterial(i);
    material.MaterialType = pass.base.MaterialType;
    material.MaterialTypeParam = pass.base.MaterialTypeParam;
    material.MaterialTypeParam2 = slot.typeParameter();
  }

  irr::video::IVideoDriver* driver = tkEngine().driver;
  driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
  scene->drawAll();
  frameKeeper().keepBackBuffer(kWidth, kHeight);
  driver->endScene();
  const std::vector<uint8_t> rgb = test::lastFrameRgb();
  ASSERT_EQ(rgb.size(), static_cast<size_t>(kWidth * kHeight * 3));

  // The ring spans 6 +- 14 across and has a hole of radius 6; its outer rim
  // faces the light on the left and faces away on the right.
  const int left = brightnessAt(rgb, {6 - 13, 0, 0});
  const int right = brightnessAt(rgb, {6 + 13, 0, 0});
  const int hole = brightnessAt(rgb, {6, 0, 0});
  const int outside = brightnessAt(rgb, {6 - 17, 0, 0});
  EXPECT_GT(left, 300) << "the side facing the light";
  EXPECT_GT(right, 30) << "ambient light at least";
  EXPECT_GT(left, right + 100);
  EXPECT_EQ(hole, 0);
  EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace tk
