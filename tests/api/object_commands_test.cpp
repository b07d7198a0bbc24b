#include "api/object_commands.h"

#include <fstream>

#include "api/camera_collision.h"
#include "api/camera_commands.h"
#include "api/engine_items.h"
#include "tests/api/commands_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

using ObjectCommandsTest = test::EngineCommandsTest;

TEST_F(ObjectCommandsTest, LoadPlaceAndDelete) {
  std::string torus = example("objects/torus.obj");
  ASSERT_EQ(LoadObject(torus.c_str(), 1), 0);
  EXPECT_TRUE(ObjectExist(1));
  EXPECT_EQ(tkEngine().objects->get(1)->kind(), kKindMesh);
  EXPECT_TRUE(ObjectVisible(1));
  HideObject(1);
  EXPECT_FALSE(ObjectVisible(1));
  ScaleObject(1, 100, 50, 200);
  EXPECT_EQ(tkEngine().objects->get(1)->node->getScale(), irr::core::vector3df(1, 0.5f, 2));
  PositionObject(1, 1, 2, 3);
  RotateObject(1, 10, 20, 30);
  EXPECT_EQ(tkEngine().objects->get(1)->node->getPosition(), irr::core::vector3df(1, 2, 3));
  EXPECT_EQ(tkEngine().objects->get(1)->node->getRotation(), irr::core::vector3df(10, 20, 30));
  EXPECT_EQ(TotalObjectFrames(1), 1);
  SetObjectFrame(1, 5);  // a static mesh ignores frames
  EXPECT_EQ(failure(), "");
  // At least the torus's own reach (ring 10 + tube 4), at most its box's, and it follows the scale.
  float radius = GetObjectRadius(1);
  ScaleObject(1, 100, 100, 100);
  EXPECT_FLOAT_EQ(radius, 2 * GetObjectRadius(1));
  EXPECT_GE(GetObjectRadius(1), 14.0f);
  EXPECT_LE(GetObjectRadius(1), 14.0f * 1.7321f);
  DeleteObject(1);
  EXPECT_FALSE(ObjectExist(1));
  DeleteObject(1);
  EXPECT_EQ(failure(), "");
}

TEST_F(ObjectCommandsTest, LoadFailures) {
  EXPECT_EQ(LoadObject(example("objects/torus.obj").c_str(), 1000), -1);
  EXPECT_EQ(failure(), "2: invalid Object ID 1000 : invalid ID 1000 greater or equals than 1000");
  test::TempFolder folder;
  std::string missing = folder.path() + "/missing.obj";
  EXPECT_EQ(LoadObject(missing.c_str(), 3), -1);
  EXPECT_EQ(failure(), "1: Failed to load mesh '" + missing + "'");
  EXPECT_FALSE(ObjectExist(3));
  ShowObject(3);
  // An empty slot says so itself rather than repeating an older complaint.
  EXPECT_EQ(failure(), "1: Object ID 3 does not exist. id 3 does not exist");
}

// Mesh files from outside that the display library's OBJ loader crashed on.
TEST_F(ObjectCommandsTest, MalformedMeshesFailWithTheUsualMessage) {
  const char* const triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
  const struct {
    const char* name;
    std::string text;
    bool loads;
  } cases[] = {
      {"a point beyond the list", std::string(triangle) + "f 1 2 2147483647\n", false},
      {"a negative index beyond the list", std::string(triangle) + "f 1 2 -4\n", false},
      {"an empty file", "", false},
      {"a material library without a name", "mtllib\n" + std::string(triangle) + "f 1 2 3\n", true},
      {"a missing material library", "mtllib gone.mtl\n" + std::string(triangle) + "f 1 2 3\n", true},
  };
  test::TempFolder folder;
  int id = 10;
  for (const auto& c : cases) {
    const std::string path = folder.write(std::to_string(id) + ".obj", c.text);
    EXPECT_EQ(LoadObject(path.c_str(), id), c.loads ? 0 : -1) << c.name;
    EXPECT_EQ(ObjectExist(id), c.loads) << c.name;
    EXPECT_EQ(failure(), c.loads ? "" : "1: Failed to load mesh '" + path + "'") << c.name;
    ++id;
  }
}

TEST_F(ObjectCommandsTest, CloneSharesTheMeshAndFailsCleanly) {
  ASSERT_EQ(LoadObject(example("objects/torus.obj").c_str(), 1), 0);
  ASSERT_EQ(CloneObject(2, 1), 0);
  auto* original = static_cast<irr::scene::IMeshSceneNode*>(tkEngine().objects->get(1)->node);
  auto* copy = static_cast<irr::scene::IMeshSceneNode*>(tkEngine().objects->get(2)->node);
  EXPECT_NE(original, copy);
  EXPECT_EQ(original->getMesh(), copy->getMesh());
  EXPECT_EQ(InstanceObject(4, 9), -1);
  EXPECT_EQ(failure(), "2: Object ID 9 does not exist");
  EXPECT_FALSE(ObjectExist(4));
  EXPECT_EQ(CloneObject(2, 1), -1);
  EXPECT_EQ(failure(), "1: invalid Object ID 2 : id 2 already exist");
  // An empty ID copied onto itself has no source (the fuzz target's smallest input).
  for (int (*copy)(int, int) : {CloneObject, InstanceObject}) {
    EXPECT_EQ(copy(5, 5), -1);
    EXPECT_EQ(failure(), "2: Object ID 5 does not exist");
    EXPECT_FALSE(ObjectExist(5));
  }
}

TEST_F(ObjectCommandsTest, LockingKeepsTheObjectInTheScene) {
  ASSERT_EQ(LoadObject(example("objects/torus.obj").c_str(), 1), 0);
  irr::scene::ISceneNode* node = tkEngine().objects->get(1)->node;
  LockObjectOn(1);
  EXPECT_EQ(node->getParent(), tkEngine().camera);
  LockObjectOff(1);
  EXPECT_EQ(node->getParent(), tkEngine().sceneManager->getRootSceneNode());
}

TEST_F(ObjectCommandsTest, AnimationQueriesOnAStaticMesh) {
  ASSERT_EQ(LoadObject(example("objects/torus.obj").c_str(), 1), 0);
  EXPECT_EQ(ObjectAnimationName(1, -1), "");
  EXPECT_EQ(failure(), "1: Object ID 1 has no animation -1");
  EXPECT_EQ(ObjectAnimationCount(1), 0);
  EXPECT_EQ(failure(), "1: Object ID 1 is not an animated mesh");
  EXPECT_EQ(GetObjectMorphCount(1), 0);
}

TEST_F(ObjectCommandsTest, CollisionSetFollowsOnAndOff) {
  ASSERT_EQ(LoadObject(example("objects/torus.obj").c_str(), 1), 0);
  SetObjectCollisionOn(1);
  SetObjectCollisionOn(1);
  EXPECT_EQ(cameraCollisionSet()->getTriangleCount(), tkEngine().objects->get(1)->node->getTriangleSelector()->getTriangleCount());
  SetObjectCollisionOff(1);
  EXPECT_EQ(cameraCollisionSet()->getTriangleCount(), 0);
  SetObjectCollisionOn(1);
  DeleteObject(1);
  EXPECT_EQ(cameraCollisionSet()->getTriangleCount(), 0);
}

TEST_F(ObjectCommandsTest, TooManyPointsInOneBufferWarnsButKeepsTheObject) {
  test::TempFolder folder;
  std::ofstream obj(folder.path() + "/big.obj");
  const int triangles = 22000;  // 66000 distinct points
  for (int i = 0; i < triangles * 3; ++i) obj << "v " << i << " " << (i % 7) << " " << (i % 13) * 0.5 << "\n";
  for (int t = 0; t < triangles; ++t) obj << "f " << 3 * t + 1 << " " << 3 * t + 2 << " " << 3 * t + 3 << "\n";
  obj.close();
  setLogThreshold(LOG_WARN);
  test::CapturedStdout out;
  ASSERT_EQ(LoadObject((folder.path() + "/big.obj").c_str(), 5), 0);
  std::string printed = out.take();
  EXPECT_NE(printed.find("WARN : Object 5 '"), std::string::npos) << printed;
  EXPECT_NE(printed.find("' has too much points on surface 0 ;\n66000 points > maximum 65535.\nRender artifacts will occur."),
            std::string::npos)
      << printed;
  EXPECT_TRUE(ObjectExist(5));
}

TEST_F(ObjectCommandsTest, CameraRangeFieldOfViewAndProjection) {
  SetCameraRange(5, 5);
  EXPECT_FLOAT_EQ(tkEngine().camera->getNearValue(), 0.1f);
  EXPECT_FLOAT_EQ(tkEngine().camera->getFarValue(), 1000.0f);
  SetCameraFOV(90);
  EXPECT_NEAR(tkEngine().camera->getFOV(), 1.0248f, 1e-4f);
  EXPECT_NEAR(verticalFieldOfView(90, 1280, 720) * 180 / 3.14159265f, 58.72f, 0.01f);
  PositionCamera(0, 0, -10);
  tkEngine().sceneManager->getRootSceneNode()->OnAnimate(0);
  ScreenPoint centre = PositionToScreen(0, 0, 0);
  EXPECT_EQ(centre.x, 640);
  EXPECT_EQ(centre.y, 360);
  ScreenPoint right = PositionToScreen(1, 0, 0);
  EXPECT_GT(right.x, 640);
}

}  // namespace
}  // namespace tk
