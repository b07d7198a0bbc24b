// Binds that read the driver's current transforms, on a driver that keeps them.
#include <gtest/gtest.h>

#include "base/log.h"
#include "effects/binds/bind_environment.h"
#include "effects/binds/camera_bind.h"
#include "effects/binds/last_frame_bind.h"
#include "effects/binds/light_binds.h"
#include "effects/binds/transform_bind.h"
#include "render/engine.h"
#include "render/last_frame_info.h"
#include "startup/sys_setup.h"
#include "tests/effects/binds/bind_test_support.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

using test::floatsNear;
using test::matrixOf;
using test::valueOf;

irr::core::vector3df moved(const irr::core::matrix4& m, irr::core::vector3df p) {
  m.transformVect(p);
  return p;
}

class GlEffectBindsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(64, 64), 0);
    driver = tkEngine().driver;
    scenes = tkEngine().sceneManager;
    environment.device = tkEngine().device;
    view.buildCameraLookAtMatrixLH({5, 3, -8}, {0, 1, 0}, {0, 1, 0});
    driver->setTransform(irr::video::ETS_VIEW, view);
  }
  void TearDown() override { tkSysShutdown(); }

  irr::video::IVideoDriver* driver = nullptr;
  irr::scene::ISceneManager* scenes = nullptr;
  STkBindEnvironment environment;
  irr::core::matrix4 view;
};

TEST_F(GlEffectBindsTest, WorldViewProjectionFromTheDriver) {
  irr::core::matrix4 world, projection;
  world.setRotationDegrees({0, 30, 0});
  world.setTranslation({1, 2, 3});
  projection.buildProjectionMatrixPerspectiveFovLH(1.0f, 1.0f, 1.0f, 100.0f);
  driver->setTransform(irr::video::ETS_WORLD, world);
  driver->setTransform(irr::video::ETS_PROJECTION, projection);
  test::Held<CTkEffectBindTransform> bind(new CTkEffectBindTransform(environment));
  const irr::core::vector3df point(0.5f, -1, 2);
  irr::f32 got[4], expected[4];
  matrixOf(valueOf(bind.get(), "WorldViewProjection", kParamFloat4x4)).transformVect(got, point);
  projection.transformVect(expected, moved(view, moved(world, point)));
  EXPECT_TRUE(floatsNear(std::vector<float>(got, got + 4), std::vector<float>(expected, expected + 4)));
  const irr::core::vector3df back =
      moved(matrixOf(valueOf(bind.get(), "ViewInverse", kParamFloat4x4)), moved(view, point));
  EXPECT_TRUE(back.equals(point, 1e-4f));
}

TEST_F(GlEffectBindsTest, FarCornersInViewSpace) {
  irr::scene::ICameraSceneNode* camera = scenes->addCameraSceneNode(nullptr, {3, 0, -10}, {3, 0, 0});
  camera->setFOV(irr::core::HALF_PI);
  camera->setAspectRatio(1);
  camera->setFarValue(100);
  camera->updateAbsolutePosition();
  camera->render();  // sets the driver's view to the camera's
  test::Held<CTkEffectBindCamera> bind(new CTkEffectBindCamera(environment));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "FrustrumFarCorners"),
                         {-100, 100, 100, 100, 100, 100, -100, -100, 100, 100, -100, 100}));
}

TEST_F(GlEffectBindsTest, ViewConvertStartsFromTheCurrentViewSpace) {
  irr::scene::ILightSceneNode* spot = scenes->addLightSceneNode(nullptr, {0, 10, 0});
  spot->setRotation({90, 0, 0});
  spot->updateAbsolutePosition();
  spot->setLightType(irr::video::ELT_SPOT);
  test::Held<CTkEffectBindLight> bind(new CTkEffectBindLight(environment));
  irr::f32 clip[4];
  // A point below the light, as the current camera sees it, is the map's centre.
  matrixOf(valueOf(bind.get(), "LightViewConvert0", kParamFloat4x4)).transformVect(clip, moved(view, {0, 2, 0}));
  EXPECT_NEAR(clip[0] / clip[3], 0, 1e-4f);
  EXPECT_NEAR(clip[1] / clip[3], 0, 1e-4f);
}

struct FixedSource : FrameSource {
  irr::core::matrix4 viewMatrix, projectionMatrix;
  irr::u32 clockMs() override { return 0; }
  irr::core::matrix4 projection() override { return projectionMatrix; }
  irr::core::matrix4 view() override { return viewMatrix; }
  irr::u32 sceneTime() override { return 0; }
};

TEST_F(GlEffectBindsTest, CurrentViewSpaceToPreviousClipSpace) {
  FixedSource source;
  source.viewMatrix.buildCameraLookAtMatrixLH({4, 3, -8}, {0, 1, 0}, {0, 1, 0});
  source.projectionMatrix.buildProjectionMatrixPerspectiveFovLH(1.0f, 1.0f, 1.0f, 100.0f);
  CTkLastFrameInfo last(&source);
  last.endFrame();
  environment.lastFrame = &last;
  test::Held<CTkEffectBindLastFrameInfo> bind(new CTkEffectBindLastFrameInfo(environment));
  const irr::core::vector3df point(1, 2, 3);
  irr::f32 got[4], expected[4];
  matrixOf(valueOf(bind.get(), "ViewInversePrevViewProjection", kParamFloat4x4)).transformVect(got, moved(view, point));
  (source.projectionMatrix * source.viewMatrix).transformVect(expected, point);
  EXPECT_TRUE(floatsNear(std::vector<float>(got, got + 4), std::vector<float>(expected, expected + 4)));
}

}  // namespace
}  // namespace tk
