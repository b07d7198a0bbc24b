// Loading and animating the example scene on the null driver.
#include <cmath>

#include "api/engine_items.h"
#include "api/light_commands.h"
#include "api/object_commands.h"
#include "api/ride_camera_animator.h"
#include "base/files/file_layer.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "tests/api/commands_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

class SceneLoadingTest : public test::EngineCommandsTest {
 protected:
  void SetUp() override {
    test::EngineCommandsTest::SetUp();
    fileLayer().setDirectory(example("scenes/orbit").c_str());
  }
  int load(int sceneId, int objectBase, const char* name = "orbit", const char* file = "orbit.tscn") {
    SceneBases bases;
    bases.object = objectBase;
    bases.light = objectBase;
    return LoadScene(file, sceneId, bases, true, name);
  }
  irr::scene::ISceneNode* node(int id) { return tkEngine().objects->get(id)->node; }
};

TEST_F(SceneLoadingTest, ItemsCountsAndTiming) {
  ASSERT_EQ(load(1, 1), 0);
  EXPECT_TRUE(SceneExist(1));
  EXPECT_EQ(SceneTotalObjects(1), 4);
  EXPECT_EQ(SceneTotalLights(1), 2);
  EXPECT_EQ(SceneTotalFxEmitters(1), 0);
  EXPECT_EQ(SceneTotalEffects(1), 0);
  EXPECT_EQ(SceneAnimTimeEnd(1), 10000);
  EXPECT_EQ(SceneFps(1), 25);
  EXPECT_EQ(SceneFrameStart(1), 0);
  EXPECT_TRUE(sceneAnimated(1));
  EXPECT_EQ(sceneHasRenderer(1), 0);
  for (int id = 1; id <= 4; ++id) EXPECT_TRUE(ObjectExist(id)) << id;
  EXPECT_FALSE(ObjectVisible(2));  // a loaded scene starts hidden
  // The two cubes name one mesh file: the second is a copy sharing the mesh.
  EXPECT_EQ(static_cast<irr::scene::IMeshSceneNode*>(node(3))->getMesh(),
            static_cast<irr::scene::IMeshSceneNode*>(node(4))->getMesh());
  EXPECT_EQ(SceneTotalObjects(59), -1);
  EXPECT_EQ(SceneAnimTimeEnd(60), 0);
}

TEST_F(SceneLoadingTest, ShowAppliesTheBackdropAndAnimationFollowsTheChannels) {
  ASSERT_EQ(load(1, 1), 0);
  ShowScene(1);
  EXPECT_TRUE(ObjectVisible(2));
  EXPECT_EQ(tkEngine().clearColor.color, 0xFF141933u);  // zenith 0.08 0.1 0.2

  AnimateScene(1, 2500);  // a quarter turn: cube A at (12, 0, 0)
  irr::core::vector3df cube = node(3)->getPosition();
  EXPECT_NEAR(cube.X, 12.0f, 1e-3);
  EXPECT_NEAR(cube.Z, 0.0f, 1e-3);
  irr::core::vector3df camera = tkEngine().rideAnimator->commandedPosition();
  EXPECT_NEAR(camera.Y, 8.0f, 1e-4);
  EXPECT_NEAR(camera.Z, -45.0f + 1.5f * 2.5f, 1e-3);

  AnimateScene(1, 7500);  // sample 187.5 of the growing scale
  EXPECT_NEAR(node(3)->getScale().X, 1.0f + 0.5f * 63.5f / 125.0f, 1e-4);
  EXPECT_NEAR(node(2)->getScale().Y, 0.5f, 1e-6);

  AnimateScene(1, 6000);  // the lamp is at half intensity after frame 125
  CTkLightItem* lamp = tkEngine().lights->get(2);
  EXPECT_FLOAT_EQ(lamp->intensity, 0.5f);
  EXPECT_NEAR(lamp->node->getLightData().DiffuseColor.b, 0.5f, 1e-6);
  EXPECT_EQ(lamp->node->getLightType(), irr::video::ELT_POINT);
  EXPECT_EQ(tkEngine().lights->get(1)->node->getLightType(), irr::video::ELT_DIRECTIONAL);
}

TEST_F(SceneLoadingTest, SlotRulesAndDeletion) {
  ASSERT_EQ(load(1, 1), 0);
  SceneBases bases;
  EXPECT_EQ(loadScene("orbit.tscn", 1, bases, false, "x", false), -1);
  EXPECT_EQ(failure(), "2: Scene ID 1 is already in use");
  EXPECT_EQ(loadScene("orbit.tscn", 60, bases, false, "x", false), -1);
  EXPECT_EQ(failure(), "2: Invalid Scene ID 60");
  AnimateScene(7, 0);
  EXPECT_EQ(failure(), "2: Invalid Scene ID 7");
  DeleteScene(1);
  EXPECT_FALSE(SceneExist(1));
  EXPECT_FALSE(ObjectExist(1));
  EXPECT_FALSE(LightExist(2));
  DeleteScene(1);
  EXPECT_EQ(failure(), "");
}

TEST_F(SceneLoadingTest, SecondSceneOfTheSameNameSharesMeshes) {
  ASSERT_EQ(load(1, 1), 0);
  ASSERT_EQ(load(2, 101), 0);
  EXPECT_EQ(static_cast<irr::scene::IMeshSceneNode*>(node(102))->getMesh(),
            static_cast<irr::scene::IMeshSceneNode*>(node(2))->getMesh());
  EXPECT_EQ(SceneTotalObjects(2), 4);
}

TEST_F(SceneLoadingTest, ProgressIsReportedAndCanCancel) {
  static std::vector<int> seen;
  seen.clear();
  setSceneLoadProgress([](int percent, void*) { seen.push_back(percent); return percent >= 50 ? 1 : 0; }, nullptr);
  SceneBases bases;
  bases.object = 1;
  EXPECT_EQ(loadScene("orbit.tscn", 3, bases, false, "orbit", false), 1);
  setSceneLoadProgress(nullptr, nullptr);
  EXPECT_EQ(seen, (std::vector<int>{0, 0, 25, 50}));
  EXPECT_EQ(failure(), "");
}

TEST_F(SceneLoadingTest, FilesThatAreNoScenes) {
  test::TempFolder folder;
  std::string notScene = folder.write("a.tscn", "{ Other\nx I4 1\n}\n");
  std::string tooMany = "{ Scene\n{ TeskRenderCommands\n{ Commands\n";
  for (int i = 0; i < 151; ++i) tooMany += "{ C\nname STR c\ncmd STR Clear\n}\n";
  tooMany += "}\n}\n}\n";
  std::string pipeline = folder.write("b.tscn", tooMany);
  std::string notTf = folder.write("c.tscn", "hello, world\n");
  std::string missing = folder.path() + "/missing.tscn";
  const std::pair<std::string, std::string> cases[] = {
      {notScene, "not a scene: no \"Scene\" record"},
      {pipeline, "Renderer: too much commands"},
      {notTf, "not a readable TF file"},
      {missing, "No such file or directory"},
  };
  SceneBases bases;
  for (const auto& [file, reason] : cases) {
    test::CapturedStdout quiet;
    EXPECT_EQ(loadScene(file.c_str(), 5, bases, false, "a", false), -1) << file;
    EXPECT_EQ(failure(), "1: Failed to load scene file '" + file + "', error: " + reason);
  }
  EXPECT_FALSE(SceneExist(5));
}

// The command says why it failed, with the loader's code: 2 for the scene ID.
TEST_F(SceneLoadingTest, LoadSceneSaysWhy) {
  SceneBases bases;
  for (int id : {60, -1}) {
    EXPECT_EQ(LoadScene("orbit.tscn", id, bases, false, "orbit"), -1);
    EXPECT_EQ(failure(), "2: Failed to load scene 'orbit.tscn': Invalid Scene ID " + std::to_string(id) +
                             " (scene IDs are 0 to 59)");
  }
  EXPECT_EQ(LoadScene("missing.tscn", 3, bases, false, "m"), -1);
  EXPECT_EQ(failure(), "1: Failed to load scene 'missing.tscn': Failed to load scene file 'missing.tscn', "
                       "error: No such file or directory");
}

TEST_F(SceneLoadingTest, MissingMeshIsReportedAndTheLoadGoesOn) {
  test::TempFolder folder;
  std::string file = folder.write("m.tscn",
                                  "{ Scene\n{ Objects\n{ O\ntfilename STR nowhere.obj\n}\n{ O\ntfilename STR " +
                                      example("objects/torus.obj") + "\n}\n}\n}\n");
  setLoadFailureReporting(true);
  setLogThreshold(LOG_ERROR);
  test::CapturedStdout out;
  SceneBases bases;
  bases.object = 10;
  EXPECT_EQ(loadScene(file.c_str(), 4, bases, false, "m", false), 0);
  setLoadFailureReporting(false);
  EXPECT_NE(out.take().find("ERROR : The object id=10 'nowhere.obj' cannot be loaded"), std::string::npos);
  EXPECT_FALSE(ObjectExist(10));
  EXPECT_TRUE(ObjectExist(11));
  clearLastError();
  ShowScene(4);  // the missing object is skipped, not reported again
  HideScene(4);
  EXPECT_EQ(failure(), "");
}

// A shadowed sun whose box follows the camera and a soft, shadowed, volumetric
// spot: loading and the first step hand their values to the lights.
TEST_F(SceneLoadingTest, ShadowedLightsTakeTheirShadowValues) {
  test::TempFolder folder;
  const std::string file = folder.write("lights.tscn",
                                        "{ Scene\n{ Lights\n"
                                        "{ L\nname STR Sun\ntype I4 0\nshadowType I4 2\nshadowColor FP 0.2 0.4 0.6\n"
                                        "shadMapSize I4 1024\nshadMapFuzz FP 0\ndistantShadowPosition I4 1\n"
                                        "distantShadowPositionOffset FP 25\ndistantShadowDimWidth FP 40\n"
                                        "distantShadowDimHeight FP 20\n}\n"
                                        "{ L\nname STR Spot\ntype I4 2\nconeAngles FP 0.5 0.1\nshadowType I4 2\n"
                                        "shadMapSize I4 256\nshadMapFuzz FP 3\nflags I4 32\n"
                                        "{ Volumetric\nflags I4 0 2 0 0 1\ncolor FP 1 0.5 0.25\ndensity FP 2\n"
                                        "base FP 0.3\n}\n}\n"
                                        "{ L\nname STR Fill\ntype I4 1\nshadowType I4 1\nshadMapFuzz FP 5\n}\n"
                                        "}\n}\n");
  SceneBases bases;
  bases.light = 20;
  ASSERT_EQ(loadScene(file.c_str(), 6, bases, false, "lights", false), 0);
  AnimateScene(6, 0);
  const CTkLightItem* sun = tkEngine().lights->get(20);
  const CTkLightItem* spot = tkEngine().lights->get(21);
  const CTkLightItem* fill = tkEngine().lights->get(22);
  ASSERT_TRUE(sun && spot && fill);

  EXPECT_TRUE(sun->node->getCastShadow());
  const STkLightExtParams& s = sun->extension()->params();
  EXPECT_EQ(s.shadowMapSize, 1024);
  EXPECT_FLOAT_EQ(s.shadowColor.b, 153 / 255.0f);
  EXPECT_TRUE(s.distantShadowFollowsCamera);
  EXPECT_FLOAT_EQ(s.distantShadowWidth, 40);
  EXPECT_FLOAT_EQ(s.distantShadowHeight, 20);
  EXPECT_FLOAT_EQ(s.distantShadowOffset, 25);

  EXPECT_TRUE(spot->node->getCastShadow());
  const STkLightExtParams& p = spot->extension()->params();
  EXPECT_EQ(p.shadowMapSize, 256);
  EXPECT_FLOAT_EQ(p.shadowFuzz, 3);
  EXPECT_FALSE(p.distantShadowFollowsCamera);
  EXPECT_FLOAT_EQ(p.distantShadowWidth, 30);  // a spot keeps the distant defaults
  EXPECT_TRUE(p.volumetric);
  EXPECT_TRUE(p.volumetricColorOverride);
  EXPECT_FLOAT_EQ(p.volumetricColor.g, 0.5f);
  EXPECT_EQ(p.volumetricQuality, 2);
  EXPECT_FLOAT_EQ(p.volumetricPower, 2);
  EXPECT_FLOAT_EQ(p.volumetricConeBase, 0.3f);

  // Shadowed, but not by a shadow map: no cast shadows, the other values taken.
  EXPECT_FALSE(fill->node->getCastShadow());
  EXPECT_FLOAT_EQ(fill->extension()->params().shadowFuzz, 5);
  EXPECT_FALSE(fill->extension()->params().volumetric);
}

}  // namespace
}  // namespace tk
