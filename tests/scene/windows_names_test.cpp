// Content written on Windows plays here: a scene whose mesh, material library,
// texture and effect include are named with "\" and in other letter cases than
// the files on disk, played on the null driver.
#include <string>

#include "api/camera_effect_commands.h"
#include "api/engine_items.h"
#include "api/object_commands.h"
#include "base/files/file_layer.h"
#include "demo/demo_loader.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "tests/api/effect_fixture.h"

namespace tk {
namespace {

// A camera shader whose "Boost" constant comes from its include: the effect
// builds only when the include is found.
constexpr const char* kPostEffect = R"(// [TESK_BEGIN]
// float Boost : 2 : pixel
// [TESK_END]
#include "DATA\Shader\Variable.inc"
float4 vs_main(float4 p : POSITION) : POSITION { return p; }
float4 ps_main(float2 uv : TEXCOORD0) : COLOR { return float4(uv, 0, 1) * Boost; }
)";

constexpr const char* kScene = R"({ Scene
{ SceneInfo
frameStart I4 0
frameEnd I4 10
framesPerSecond FP 10
}
{ Cameras
{ Camera
position FP 0 0 -10
}
}
{ Objects
{ Object
name STR Torus
tfilename STR Meshes\TORUS.OBJ
position FP 1 2 3
}
}
{ TeskPostProcs
{ Shader
{ Effect
filename STR POST.FX
}
}
}
}
)";

class WindowsNamesTest : public test::EffectCommandsTest {
 protected:
  void SetUp() override {
    test::EffectCommandsTest::SetUp();
    folder.write("win/Meshes/torus.obj",
                 "mtllib Torus.MTL\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nusemtl wood\nf 1/1 2/2 3/3\n");
    folder.write("win/Meshes/torus.mtl", "newmtl wood\nKd 1 1 1\nmap_Kd Textures\\WOOD.BMP\n");
    irr::video::IImage* image = tkEngine().driver->createImage(irr::video::ECF_A8R8G8B8, {2, 2});
    folder.write("win/Meshes/textures/wood.bmp", "");
    ASSERT_TRUE(tkEngine().driver->writeImageToFile(image, (folder.path() + "/win/Meshes/textures/wood.bmp").c_str()));
    image->drop();
    folder.write("win/post.fx", kPostEffect);
    folder.write("win/data/shader/variable.inc", "float Boost;\n");
    scenePath = folder.write("win/Scene.tscn", kScene);
  }
  std::string scenePath;
};

TEST_F(WindowsNamesTest, ASceneNamingItsFilesTheWindowsWayPlays) {
  fileLayer().setDirectory((folder.path() + "/win").c_str());
  SceneBases bases;
  bases.object = 1;
  bases.cameraShader = 5;
  ASSERT_EQ(loadScene("SCENE.TSCN", 1, bases, false, "win", false), 0) << failure();
  EXPECT_EQ(failure(), "");

  // The mesh, with the material library and texture it names.
  ASSERT_TRUE(ObjectExist(1));
  auto* node = static_cast<irr::scene::IMeshSceneNode*>(tkEngine().objects->get(1)->node);
  ASSERT_TRUE(node->getMesh());
  ASSERT_EQ(node->getMesh()->getMeshBufferCount(), 1u);
  irr::video::ITexture* texture = node->getMesh()->getMeshBuffer(0)->getMaterial().getTexture(0);
  ASSERT_TRUE(texture);
  EXPECT_EQ(std::string(texture->getName().getPath().c_str()), folder.path() + "/win/Meshes/textures/wood.bmp");

  // The camera shader, whose include was found.
  ASSERT_TRUE(CameraEffectExist(5));
  CTkEffect* effect = tkEngine().cameraShaders->get(5)->effect;
  ASSERT_TRUE(effect);
  EXPECT_GE(effect->getParameterIndex("Boost"), 0);

  ShowScene(1);
  AnimateScene(1, 500);
  EXPECT_EQ(node->getPosition(), irr::core::vector3df(1, 2, 3));
  EXPECT_EQ(failure(), "");
}

// A demo written on Windows: its part folder and file name in other cases.
TEST_F(WindowsNamesTest, ADemoNamingItsPartsTheWindowsWayLoads) {
  const std::string demo = folder.write("Show.demo.ini",
                                        "[part1]\ntime = 0\ndirectory = WIN\nfilename = scene.TSCN\n"
                                        "[part2]\ntime = 1000\n");
  DemoDescription description;
  DemoIdCounters counters;
  ASSERT_EQ(tkDemoLoad(&description, (folder.path() + "/SHOW.DEMO.INI").c_str(), &counters), 0) << failure();
  ASSERT_TRUE(description.parts[0].hasScene());
  EXPECT_EQ(SceneTotalObjects(description.parts[0].ids.scene), 1);
  unloadDemo(&description);
}

}  // namespace
}  // namespace tk
