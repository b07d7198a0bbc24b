// Binds that read the scene: objects by index, the active camera and the
// textures of the drawn material.
#include "effects/binds/bind_environment.h"
#include "effects/binds/camera_bind.h"
#include "effects/binds/material_bind.h"
#include "effects/binds/object_bind.h"
#include "effects/runtime/effect_material.h"
#include "tests/effects/binds/bind_test_support.h"

namespace tk {
namespace {

using test::floatsNear;
using test::valueOf;

class SceneBindTest : public test::NullDeviceTest {
 protected:
  void SetUp() override {
    NullDeviceTest::SetUp();
    environment.device = device;
  }

  irr::scene::ISceneNode* addMesh(irr::core::vector3df position) {
    irr::scene::IMesh* cube = scenes->getGeometryCreator()->createCubeMesh();
    irr::scene::ISceneNode* node = scenes->addMeshSceneNode(cube, nullptr, -1, position);
    cube->drop();
    node->updateAbsolutePosition();
    return node;
  }

  STkBindEnvironment environment;
};

TEST_F(SceneBindTest, ObjectsAreTheRootsMeshLikeChildren) {
  addMesh({1, 0, 0});
  scenes->addEmptySceneNode();
  scenes->addCubeSceneNode();  // a cube node is not a mesh node
  auto* morph = new test::TypedNode(scenes, MAKE_IRR_ID('m', 'o', 'r', 'p'));
  morph->setPosition({0, 5, 0});
  morph->setRotation({0, 90, 0});
  morph->setScale({2, 3, 4});
  morph->updateAbsolutePosition();
  morph->drop();
  test::Held<CTkEffectBindObject> bind(new CTkEffectBindObject(environment));

  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "ObjectPos0"), {1, 0, 0, 1}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "ObjectPos1"), {0, 5, 0, 1}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "ObjectRot1"), {0, 90, 0, 0}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "ObjectScale1", kParamFloat3), {2, 3, 4}));
  const irr::core::matrix4 transform = test::matrixOf(valueOf(bind.get(), "ObjectTrans1", kParamFloat4x4));
  const irr::core::matrix4 inverse = test::matrixOf(valueOf(bind.get(), "ObjectInvTrans1", kParamFloat4x4));
  EXPECT_TRUE(floatsNear(test::floatsOf(transform), test::floatsOf(morph->getAbsoluteTransformation())));
  EXPECT_TRUE(floatsNear(test::floatsOf(transform * inverse), test::floatsOf(irr::core::IdentityMatrix)));
}

TEST_F(SceneBindTest, AMissingObjectIsReportedAtEveryCallAndLeftUnchanged) {
  addMesh({0, 0, 0});
  addMesh({1, 0, 0});
  test::Held<CTkEffectBindObject> bind(new CTkEffectBindObject(environment));
  STkFxConstBind constant = test::constantOf(kStagePixel, kParamFloat4, "ObjectPos3");
  ASSERT_TRUE(test::answers(bind.get(), &constant));
  test::RecordingServices services;
  test::CapturedStdout out;
  test::call(constant, &services);
  test::call(constant, &services);
  const std::string text = out.take();
  const std::string message = "CTkEffectBindObject : Object index 3 not found ";
  ASSERT_NE(text.find(message), std::string::npos) << text;
  EXPECT_NE(text.find(message, text.find(message) + 1), std::string::npos) << text;
  EXPECT_TRUE(services.nothingWritten());
  for (const char* semantic : {"ObjectPos", "ObjectPos1x", "ObjectTransform1", "objectpos1"}) {
    STkFxConstBind other = test::constantOf(kStagePixel, kParamFloat4, semantic);
    EXPECT_FALSE(test::answers(bind.get(), &other)) << semantic;
  }
}

class CameraBindTest : public SceneBindTest {
 protected:
  void SetUp() override {
    SceneBindTest::SetUp();
    // Looking along +z from z = -10 with a 90 degree square view.
    camera = scenes->addCameraSceneNode(nullptr, {0, 0, -10}, {0, 0, 0});
    camera->setFOV(irr::core::HALF_PI);
    camera->setAspectRatio(1);
    camera->setNearValue(1);
    camera->setFarValue(100);
    camera->updateAbsolutePosition();
    camera->render();  // updates the frustum
    driver->setViewPort(irr::core::rect<irr::s32>(0, 0, 1280, 720));
  }
  irr::scene::ICameraSceneNode* camera = nullptr;
};

TEST_F(CameraBindTest, PositionRangesAndFocalLength) {
  test::Held<CTkEffectBindCamera> bind(new CTkEffectBindCamera(environment));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "ViewPosition"), {0, 0, -10, 1}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "ZNearValue", kParamFloat), {1}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "ZFarValue", kParamFloat), {100}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "Fov", kParamFloat), {irr::core::HALF_PI}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "FocalLength", kParamFloat), {0.0075f}));
}

TEST_F(CameraBindTest, FarCornersInWorldSpace) {
  test::Held<CTkEffectBindCamera> bind(new CTkEffectBindCamera(environment));
  // Left-up, right-up, left-down, right-down.
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "FrustrumFarCornersWorld"),
                         {-100, 100, 90, 100, 100, 90, -100, -100, 90, 100, -100, 90}));
}

TEST_F(CameraBindTest, RaysThroughTheViewportCorners) {
  test::Held<CTkEffectBindCamera> bind(new CTkEffectBindCamera(environment));
  STkFxConstBind lines = test::constantOf(kStagePixel, kParamFloat4, "LineStartsEnds", "LineStartsEnds");
  ASSERT_TRUE(test::answers(bind.get(), &lines));
  test::RecordingServices services;
  test::call(lines, &services);
  const std::vector<float> farCorners = valueOf(bind.get(), "FrustrumFarCornersWorld");
  for (int i = 0; i < 4; ++i) {
    const std::string index = std::to_string(i);
    EXPECT_TRUE(floatsNear(services.byName(kStagePixel, "LineStartsEnds.LineStarts" + index), {0, 0, -10}));
    const std::vector<float> corner(farCorners.begin() + i * 3, farCorners.begin() + i * 3 + 3);
    EXPECT_TRUE(floatsNear(services.byName(kStagePixel, "LineStartsEnds.LineEnds" + index), corner)) << i;
  }
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LineEnds"), farCorners));
}

TEST_F(SceneBindTest, TextureSizesAndMipCountsOfTheDrawnMaterial) {
  test::SizedTexture wide(256, 64), square(32, 32);
  STkMaterial material;
  material.pixelLayers[1].texture = &wide;
  material.vertexLayers[3].texture = &square;
  STkMaterialContext context;
  context.material = &material;
  test::Held<CTkEffectBindMaterial> bind(new CTkEffectBindMaterial(environment));
  ASSERT_TRUE(bind->onSetMaterial(&context));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "Texture[1].NumMips", kParamFloat), {9}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "Texture[1].Size", kParamFloat2), {256, 64}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "Texture[0].Size", kParamFloat2), {0, 0}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "Texture[0].NumMips", kParamFloat), {0}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "Texture[3].NumMips", kParamFloat, kStageVertex), {6}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "Texture[1].Size", kParamFloat2, kStageVertex), {0, 0}));
  for (auto [semantic, stage] : {std::pair{"Texture[8].Size", kStagePixel},
                                 {"Texture[4].Size", kStageVertex},
                                 {"Texture[0].Width", kStagePixel},
                                 {"Texture[0]Size", kStagePixel}}) {
    STkFxConstBind constant = test::constantOf(stage, kParamFloat2, semantic);
    EXPECT_FALSE(test::answers(bind.get(), &constant)) << semantic;
  }
}

}  // namespace
}  // namespace tk
