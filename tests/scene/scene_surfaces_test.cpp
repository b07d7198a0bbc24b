// Scenes with surfaces on the null driver: loading hands each object its
// scene surfaces with their textures and effect variants, animation their
// values, and deleting the scene lets go of all of it.
#include <string>

#include "api/effect_commands.h"
#include "api/engine_items.h"
#include "api/object_commands.h"
#include "api/object_surfaces.h"
#include "base/files/file_layer.h"
#include "effects/runtime/effect.h"
#include "render/tk_manager.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "surfaces/lightwave_parameters.h"
#include "tests/api/commands_fixture.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/pre_pass_effect_names.h"

namespace tk {
namespace {

// A quad of two triangles, each with a material of its own.
constexpr const char* kQuadObj =
    "mtllib quad.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nvt 1 1\n"
    "usemtl front\nf 1/1 2/2 3/3\nusemtl back\nf 3/3 2/2 4/4\n";
constexpr const char* kQuadMtl = "newmtl front\nKd 1 1 1\nnewmtl back\nKd 0.5 0.5 0.5\n";

// The surface's own effect; Gain is set from the scene.
constexpr const char* kOwnEffect = R"(// [TESK_BEGIN]
// float Gain : 1 : pixel
// [TESK_END]
float Gain;
float4 vs_main(float4 p : POSITION) : POSITION { return p; }
float4 ps_main() : COLOR { return Gain * EXTRA; }
)";

// A scene of two objects on the quad (the second a copy of the first),
// whose scene object has the surfaces given.
std::string sceneText(const std::string& surfaces) {
  return "{ Scene\n{ SceneInfo\nframeStart I4 0\nframeEnd I4 10\nframeStep I4 1\nframesPerSecond FP 10\n}\n"
         "{ Cameras\n{ Camera\nposition FP 0 0 -5\n}\n}\n"
         "{ Objects\n"
         "{ Object\nname STR A\ntfilename STR quad.obj\nfilename STR Quad.lwo\nshadowOpts I4 3\nselectionMask I4 5\n}\n"
         "{ Object\nname STR B\ntfilename STR quad.obj\nfilename STR Quad.lwo\nshadowOpts I4 1\n}\n"
         "}\n"
         "{ SceneObjects\n{ SceneObject\nfilename STR Quad.lwo\n{ Surfaces\n" +
         surfaces + "}\n}\n}\n}\n";
}

// Front: red, a colour map and a luminosity going from 0 to 1; drawn with
// the renderer's effect. Back: half transparent, with an effect of its own.
const std::string kTwoSurfaces =
    "{ Surface\nname STR Front\n{ Parameters\n"
    "{ BaseColor\nvalue FP 1 0 0\nimg_filename STR picture.bmp\nimg_colorspace I4 1\n}\n"
    "{ Luminosity\nvalue FP_C DAT 11 0 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1\n}\n"
    "{ Sidedness\nvalue I4 3\n}\n"
    "}\n}\n"
    "{ Surface\nname STR Back\n{ Parameters\n{ Transparency\nvalue FP 0.5\n}\n}\n"
    "{ Shader\napplyToSurface I4 0\n{ Effect\nfilename STR own.fx\ncflags STR EXTRA=2\n"
    "{ Parameters\n{ Gain\nvalue FP_C DAT 11 0 1 2 3 4 5 6 7 8 9 10\n}\n}\n}\n}\n"
    "}\n";

class SceneSurfacesTest : public test::EngineCommandsTest {
 protected:
  void SetUp() override {
    test::EngineCommandsTest::SetUp();
    test::namePrePassEffects();
    setBaseDirectory((std::string(TESK_SOURCE_DIR) + "/runtime/").c_str());
    folder.write("quad.obj", kQuadObj);
    folder.write("quad.mtl", kQuadMtl);
    folder.write("own.fx", kOwnEffect);
    irr::video::IVideoDriver* driver = tkEngine().driver;
    irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, {2, 2});
    ASSERT_TRUE(driver->writeImageToFile(image, (folder.path() + "/picture.bmp").c_str()));
    image->drop();
    fileLayer().setDirectory(folder.path().c_str());
  }
  int load(const std::string& surfaces, int sceneId = 1) {
    folder.write("scene.tscn", sceneText(surfaces));
    SceneBases bases;
    bases.object = 10;
    return LoadScene("scene.tscn", sceneId, bases, true, "surfaces");
  }
  static CTkSceneNodeExt* extensionOf(int id) { return objectNodeExt(*tkEngine().objects->get(id)); }
  static irr::video::SMaterial& materialOf(int id, int index) {
    return tkEngine().objects->get(id)->node->getMaterial(static_cast<irr::u32>(index));
  }
  static CTkMaterialContexts* contexts() { return tkEngine().manager->getMaterialContexts(); }

  test::TempFolder folder;
};

TEST_F(SceneSurfacesTest, LoadingGivesEachSurfaceItsValuesTexturesAndEffect) {
  ASSERT_EQ(load(kTwoSurfaces), 0) << failure();
  for (int id : {10, 11}) {
    SCOPED_TRACE(id);
    CTkSceneNodeExt* extension = extensionOf(id);
    ASSERT_TRUE(extension);
    ASSERT_EQ(extension->getRecordCount(), 2);
    ITkSurface* front = extension->getSurface(0);
    EXPECT_EQ(front->getVector(kLwBaseColor), irr::core::vector3df(1, 0, 0));
    EXPECT_EQ(front->getInt(kLwSidedness), 3);
    ASSERT_TRUE(front->getTexture(kLwBaseColor));
    EXPECT_EQ(front->getTextureOption(kLwBaseColor), 1);
    // The renderer's effect, variant of the surface: Lpp.hlsl for an opaque one.
    CTkEffect* frontEffect = extension->getEffect(0);
    ASSERT_TRUE(frontEffect);
    EXPECT_NE(frontEffect->getSourcePath().find("shadersSURF/Lpp.hlsl"), std::string::npos);
    const ShaderMacroList expected = {{"USE_TEX_COLOR", ""}, {"USE_OUTDEPTH", ""}};
    EXPECT_EQ(tkEngine().manager->getEffectManager()->getEffectDef(frontEffect->getSourcePath().c_str(), expected),
              frontEffect->definition());
    // The back surface draws with its own effect, its compile flags and its values.
    CTkEffect* backEffect = extension->getEffect(1);
    ASSERT_TRUE(backEffect);
    EXPECT_NE(backEffect->getSourcePath().find("own.fx"), std::string::npos);
    const ShaderMacroList own = {{"USE_TRANSPARENT", ""}, {"USE_OUTDEPTH", ""}, {"EXTRA", "2"}};
    EXPECT_EQ(tkEngine().manager->getEffectManager()->getEffectDef(backEffect->getSourcePath().c_str(), own),
              backEffect->definition());
    float gain = -1;
    backEffect->getFloat(backEffect->getParameterIndex("Gain"), &gain);
    EXPECT_EQ(gain, 0.0f);
    // The materials are rebuilt: each drawn by its effect, naming its record.
    for (int m = 0; m < 2; ++m) {
      EXPECT_EQ(materialOf(id, m).MaterialType, extension->getEffect(m)->pass(0, 0)->material.base.MaterialType);
      EXPECT_EQ(contexts()->find(materialOf(id, m).MaterialTypeParam2), extension->getRecord(m));
    }
  }
  EXPECT_NE(extensionOf(10)->getSurface(0), extensionOf(11)->getSurface(0));
  // The renderer's variant keeps no values of a surface: objects share it.
  // An effect of the surface's own holds its values: each has its own.
  EXPECT_EQ(extensionOf(10)->getEffect(0), extensionOf(11)->getEffect(0));
  EXPECT_NE(extensionOf(10)->getEffect(1), extensionOf(11)->getEffect(1));
  EXPECT_TRUE(extensionOf(10)->getCastShadows());
  EXPECT_FALSE(extensionOf(11)->getCastShadows());  // bit 0 is not the shadow bit
  EXPECT_EQ(extensionOf(10)->getSelectionMask(), 5u);
  EXPECT_EQ(extensionOf(11)->getSelectionMask(), 0u);
}

TEST_F(SceneSurfacesTest, AnimationHandsOnTheValuesAtThePosition) {
  ASSERT_EQ(load(kTwoSurfaces), 0) << failure();
  CTkSceneNodeExt* extension = extensionOf(10);
  CTkEffect* frontEffect = extension->getEffect(0);
  irr::video::ITexture* texture = extension->getSurface(0)->getTexture(kLwBaseColor);
  // A value the scene keeps constant was handed over at load time; what a
  // script sets in its place stays.
  extension->getSurface(0)->setInt(kLwSidedness, 0);
  AnimateScene(1, 500);  // sample 5
  EXPECT_FLOAT_EQ(extension->getSurface(0)->getFloat(kLwLuminosity), 0.5f);
  EXPECT_EQ(extension->getSurface(0)->getInt(kLwSidedness), 0);
  float gain = -1;
  CTkEffect* backEffect = extension->getEffect(1);
  backEffect->getFloat(backEffect->getParameterIndex("Gain"), &gain);
  EXPECT_FLOAT_EQ(gain, 5.0f);
  // Textures and effects stay those of the load.
  EXPECT_EQ(extension->getEffect(0), frontEffect);
  EXPECT_EQ(extension->getSurface(0)->getTexture(kLwBaseColor), texture);
  EXPECT_EQ(failure(), "");
}

TEST_F(SceneSurfacesTest, DeletingTheSceneFreesTheRecords) {
  const size_t live = tkEngine().manager->getSceneManager()->liveNodeExtensions();
  for (int round = 0; round < 3; ++round) {
    ASSERT_EQ(load(kTwoSurfaces), 0) << failure();
    std::vector<int> numbers;
    for (int id : {10, 11})
      for (int m = 0; m < 2; ++m) numbers.push_back(extensionOf(id)->getRecord(m)->contextNumber);
    CTkEffect* effects[2] = {extensionOf(10)->getEffect(0), extensionOf(10)->getEffect(1)};
    for (CTkEffect* effect : effects) effect->grab();
    DeleteScene(1);
    for (CTkEffect* effect : effects) {
      EXPECT_EQ(effect->getReferenceCount(), 1);  // only this test's
      effect->drop();
    }
    for (int number : numbers) EXPECT_EQ(contexts()->find(static_cast<float>(number)), nullptr);
    EXPECT_EQ(tkEngine().manager->getSceneManager()->liveNodeExtensions(), live);
  }
}

TEST_F(SceneSurfacesTest, BadSurfacesAreReportedAndTheObjectKeepsItsMaterial) {
  folder.write("broken.fx", "// [TESK_BEGIN]\n// [TESK_END]\nfloat4 ps_main() : COLOR { return undefined; }\n");
  const std::string surfaces =
      "{ Surface\nname STR Front\n{ Parameters\n{ BaseColor\nvalue FP 1 1 1\nimg_filename STR missing.bmp\n}\n}\n"
      "{ Shader\n{ Effect\nfilename STR broken.fx\n}\n}\n}\n";
  setLogThreshold(LOG_ERROR);
  std::string logged;
  {
    test::CapturedStdout out;
    ASSERT_EQ(load(surfaces), 0);
    logged = out.take();
  }
  EXPECT_NE(logged.find("Object ID 10, Surf 0, Param 0: texture 'missing.bmp' not found"), std::string::npos)
      << logged;
  EXPECT_NE(logged.find("Object ID 10, Surf 0 : Failed to compile effect "), std::string::npos) << logged;
  CTkSceneNodeExt* extension = extensionOf(10);
  EXPECT_EQ(extension->getEffect(0), nullptr);
  EXPECT_EQ(extension->getSurface(0)->getTexture(kLwBaseColor), nullptr);
  EXPECT_EQ(materialOf(10, 0).MaterialType, irr::video::EMT_SOLID);
  // The material the scene has no surface for keeps its fixed-function look.
  EXPECT_EQ(extension->getEffect(1), nullptr);
}

TEST_F(SceneSurfacesTest, MoreSurfacesThanObjectsTakeAreReported) {
  std::string surfaces;
  for (int i = 0; i < 257; ++i) surfaces += "{ Surface\nname STR S" + std::to_string(i) + "\n}\n";
  setLogThreshold(LOG_ERROR);
  std::string logged;
  {
    test::CapturedStdout out;
    ASSERT_EQ(load(surfaces), 0);
    logged = out.take();
  }
  EXPECT_NE(logged.find("The object id=10 'quad.obj' numSurfaces=257 > NOF_SURFACE_MAX=256. Will result in corruption"),
            std::string::npos)
      << logged;
  // The quad has two surfaces to take them.
  EXPECT_NE(logged.find("Object ID 10 has no surface 2, cannot SetSurfaces"), std::string::npos) << logged;
}

}  // namespace
}  // namespace tk
