// The surface commands on a loaded object (null driver): what they change,
// and their messages and codes for bad input.
#include "api/surface_commands.h"

#include "api/effect_commands.h"
#include "api/engine_items.h"
#include "api/image_commands.h"
#include "api/object_commands.h"
#include "api/object_surfaces.h"
#include "effects/runtime/effect.h"
#include "render/tk_manager.h"
#include "surfaces/lightwave_parameters.h"
#include "tests/api/commands_fixture.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/pre_pass_effect_names.h"

namespace tk {
namespace {

constexpr const char* kSurfaceEffect = R"(// [TESK_BEGIN]
// config techniques : depth
// texture ColorMap : Color
// [TESK_END]
sampler2D ColorMap;
float4 vs_main(float4 p : POSITION) : POSITION { return p; }
float4 ps_main(float2 uv : TEXCOORD0) : COLOR { return tex2D(ColorMap, uv); }
)";

class SurfaceCommandsTest : public test::EngineCommandsTest {
 protected:
  void SetUp() override {
    test::EngineCommandsTest::SetUp();
    test::namePrePassEffects();
    ASSERT_EQ(LoadObject(example("objects/torus.obj").c_str(), 1), 0);
    effectPath = folder.write("surface.fx", kSurfaceEffect);
    irr::video::IVideoDriver* driver = tkEngine().driver;
    irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, {2, 2});
    picture = folder.path() + "/picture.bmp";
    ASSERT_TRUE(driver->writeImageToFile(image, picture.c_str()));
    image->drop();
  }
  static CTkSceneNodeExt* extensionOf(int id) { return objectNodeExt(*tkEngine().objects->get(id)); }
  static ITkSurface* surfaceOf(int id, int index) { return extensionOf(id)->getSurface(index); }

  test::TempFolder folder;
  std::string effectPath, picture;
};

TEST_F(SurfaceCommandsTest, ALoadedObjectKeepsItsLookInOneSurfacePerMaterial) {
  CTkSceneNodeExt* extension = extensionOf(1);
  ASSERT_TRUE(extension);
  ASSERT_EQ(extension->getRecordCount(), 1);
  ITkSurface* surface = surfaceOf(1, 0);
  ASSERT_TRUE(surface);
  EXPECT_EQ(surface->getType(), kTkSurfaceLightwave);
  // torus.mtl: Kd 0.85 0.45 0.2, as the mesh loader keeps it.
  const irr::core::vector3df colour = surface->getVector(kLwBaseColor);
  EXPECT_NEAR(colour.X, 0.85f, 1.0f / 255);
  EXPECT_NEAR(colour.Y, 0.45f, 1.0f / 255);
  EXPECT_NEAR(colour.Z, 0.2f, 1.0f / 255);
  // The material the surface writes back is the mesh's own in what a
  // surface can say (colours become grey specular and luminosity-scaled emissive).
  const irr::video::SMaterial& loaded =
      static_cast<irr::scene::IMeshSceneNode*>(tkEngine().objects->get(1)->node)->getMesh()->getMeshBuffer(0)->getMaterial();
  const irr::video::SMaterial& material = tkEngine().objects->get(1)->node->getMaterial(0);
  EXPECT_EQ(material.MaterialType, loaded.MaterialType);
  EXPECT_EQ(material.DiffuseColor, loaded.DiffuseColor);
  EXPECT_FLOAT_EQ(material.Shininess, loaded.Shininess);
  EXPECT_EQ(material.BackfaceCulling, loaded.BackfaceCulling);
  EXPECT_EQ(material.TextureLayer[0].Texture, loaded.TextureLayer[0].Texture);
  EXPECT_TRUE(material.NormalizeNormals);
  // A built-in material type names no record: a copy's material equals the
  // original's, so the display library does not set it again for each node.
  EXPECT_NE(extension->getRecord(0)->contextNumber, 0);
  EXPECT_EQ(material.MaterialTypeParam2, 0.0f);
  ASSERT_EQ(CloneObject(2, 1), 0);
  EXPECT_NE(extensionOf(2)->getRecord(0)->contextNumber, extension->getRecord(0)->contextNumber);
  EXPECT_FALSE(tkEngine().objects->get(2)->node->getMaterial(0) != material);
}

TEST_F(SurfaceCommandsTest, ParametersReachTheSurfaceAndUpdateRebuilds) {
  SetObjectSurfaceParamFloat(1, 0, kLwTransparency, 0.5f);
  SetObjectSurfaceParamFloat3(1, 0, kLwBaseColor, 0, 1, 0);
  SetObjectSurfaceParamInt(1, 0, kLwSidedness, 3);
  SetObjectSurfaceParamTex(1, 0, kLwBaseColor, picture.c_str());
  EXPECT_EQ(failure(), "");
  ITkSurface* surface = surfaceOf(1, 0);
  EXPECT_EQ(surface->getFloat(kLwTransparency), 0.5f);
  EXPECT_EQ(surface->getInt(kLwSidedness), 3);
  EXPECT_EQ(surface->getTexture(kLwBaseColor), tkEngine().driver->findTexture(picture.c_str()));
  irr::video::SMaterial& material = tkEngine().objects->get(1)->node->getMaterial(0);
  EXPECT_EQ(material.MaterialType, irr::video::EMT_SOLID);  // not before the update
  UpdateObjectFromSurfaces(1);
  EXPECT_EQ(material.MaterialType, irr::video::EMT_TRANSPARENT_VERTEX_ALPHA);
  EXPECT_FALSE(material.BackfaceCulling);
  EXPECT_EQ(material.DiffuseColor, irr::video::SColor(255, 0, 255, 0));
  EXPECT_EQ(material.TextureLayer[0].Texture, surface->getTexture(kLwBaseColor));
}

TEST_F(SurfaceCommandsTest, EffectsAndTechniques) {
  ASSERT_EQ(LoadEffect(effectPath.c_str(), 5), 0) << failure();
  SetObjectSurfaceEffect(1, 0, 5);
  SetObjectSurfaceEffectTechnique(1, 0, 1);
  EXPECT_EQ(failure(), "");
  CTkSceneNodeExt* extension = extensionOf(1);
  EXPECT_EQ(extension->getEffect(0), getEffect(5));
  EXPECT_EQ(extension->getRecord(0)->technique, 1);
  const irr::video::SMaterial& material = tkEngine().objects->get(1)->node->getMaterial(0);
  EXPECT_EQ(material.MaterialType, getEffect(5)->pass(1, 0)->material.base.MaterialType);
  // The object keeps its own reference.
  CTkEffect* effect = getEffect(5);
  DeleteEffect(5);
  EXPECT_EQ(extension->getEffect(0), effect);
  EXPECT_EQ(effect->getReferenceCount(), 1);
}

TEST_F(SurfaceCommandsTest, AnImageGivesTheSurfaceItsTexture) {
  ASSERT_EQ(LoadImage(picture.c_str(), 4), 0) << failure();
  ASSERT_NE(getImageTexture(4), nullptr);
  SetObjectSurfaceParamTexImg(1, 0, kLwBaseColor, 4);
  EXPECT_EQ(failure(), "");
  EXPECT_EQ(surfaceOf(1, 0)->getTexture(kLwBaseColor), getImageTexture(4));
}

TEST_F(SurfaceCommandsTest, BadInputIsReportedWithItsCode) {
  ASSERT_EQ(LoadEffect(effectPath.c_str(), 5), 0) << failure();
  ASSERT_EQ(LoadObject(example("objects/torus.obj").c_str(), 2), 0);
  tkEngine().manager->getSceneManager()->removeNodeExt(tkEngine().objects->get(2)->node);
  struct Case {
    std::function<void()> command;
    std::string failure;
  };
  const Case cases[] = {
      {[] { SetObjectSurfaceParamFloat(7, 0, kLwDiffuse, 1); },
       "1: Object ID 7 does not exist. id 7 does not exist"},
      {[] { SetObjectSurfaceParamFloat(2, 0, kLwDiffuse, 1); },
       "1: Object ID 2 unexpected format (no node extension)"},
      {[] { UpdateObjectFromSurfaces(2); }, "1: Object ID 2 unexpected format (no node extension)"},
      {[] { SetObjectSurfaceParamFloat(1, 1, kLwDiffuse, 1); }, "2: Object ID 1 has no surface 1"},
      {[] { SetObjectSurfaceParamFloat3(1, -1, kLwBaseColor, 1, 1, 1); }, "2: Object ID 1 has no surface -1"},
      {[] { SetObjectSurfaceParamInt(1, 3, kLwSidedness, 1); }, "2: Object ID 1 has no surface 3"},
      {[] { SetObjectSurfaceParamTex(1, 0, kLwBaseColor, "missing.png"); }, "4: Texture does not exist 'missing.png'"},
      {[] { SetObjectSurfaceParamTex(1, 2, kLwBaseColor, "missing.png"); }, "2: Object ID 1 has no surface 2"},
      {[] { SetObjectSurfaceEffect(1, 0, 6); }, "3: Effect ID 6 does not exist. id 6 does not exist"},
      {[] { SetObjectSurfaceEffect(1, 4, 5); }, "2: Object ID 1 has no surface 4"},
      {[] { SetObjectSurfaceEffectTechnique(1, 9, 1); }, "2: Object ID 1 has no surface 9"},
      {[] { SetObjectSurfaceParamTexImg(1, 0, kLwBaseColor, 3); }, "4: Image 3 does not exist"},
      {[] { SetObjectSurfaceParamTexImg(2, 0, kLwBaseColor, 3); },
       "1: Object ID 2 unexpected format (no node extension)"},
  };
  for (const Case& c : cases) {
    c.command();
    EXPECT_EQ(failure(), c.failure);
  }
  // Nothing changed on the way.
  EXPECT_EQ(extensionOf(1)->getEffect(0), nullptr);
  EXPECT_EQ(surfaceOf(1, 0)->getTexture(kLwBaseColor), nullptr);
}

TEST_F(SurfaceCommandsTest, EffectsForAnObjectSurfaceTakeItsMacros) {
  SetObjectSurfaceParamTex(1, 0, kLwBaseColor, picture.c_str());
  SetObjectSurfaceParamFloat(1, 0, kLwTransparency, 0.5f);
  ASSERT_EQ(LoadEffectForObjectSurface(effectPath.c_str(), 3, 1, 0), 0) << failure();
  CTkEffect* effect = getEffect(3);
  ASSERT_TRUE(effect);
  // The surface's variant with the renderer's macro after the surface's.
  const ShaderMacroList expected = {{"USE_TEX_COLOR", ""}, {"USE_TRANSPARENT", ""}, {"USE_OUTDEPTH", ""}};
  EXPECT_EQ(tkEngine().manager->getEffectManager()->getEffectDef(effectPath.c_str(), expected),
            effect->definition());

  struct Case {
    int object, surface;
    std::string failure;
  };
  for (const Case& c : {Case{8, 0, "3: Object ID 8 does not exist"},
                        Case{1, 1, "4: Invalid surface ID 1 for the Object ID 1"}}) {
    EXPECT_EQ(LoadEffectForObjectSurface(effectPath.c_str(), 4, c.object, c.surface), -1);
    EXPECT_EQ(failure(), c.failure);
    EXPECT_FALSE(EffectExist(4));
  }
  ASSERT_EQ(LoadObject(example("objects/torus.obj").c_str(), 2), 0);
  tkEngine().manager->getSceneManager()->removeNodeExt(tkEngine().objects->get(2)->node);
  EXPECT_EQ(LoadEffectForObjectSurface(effectPath.c_str(), 4, 2, 0), -1);
  EXPECT_EQ(failure(), "3: Object ID 2 does not have node extension");
}

// Macro lists of an object surface's effect hold 20 entries: a surface with
// too many features does not fit, one that leaves a single entry leaves no
// room for the renderer's macro.
TEST_F(SurfaceCommandsTest, MacroOverflowFailsTheEffect) {
  CTkSceneNodeExt* extension = extensionOf(1);
  ITkSurface* surface = surfaceOf(1, 0);
  irr::video::ITexture* texture = tkEngine().driver->getTexture(picture.c_str());
  for (int channel : {kLwBaseColor, kLwLuminosity, kLwDiffuse, kLwSpecularity, kLwGlossiness, kLwTransparency,
                      kLwTranslucency, kLwBump})
    surface->setTexture(channel, texture);
  // 10 texture macros, USE_UV2 and USE_UV2INTEX2 (the bump map asks for tangents) and one per mask bit.
  extension->setBufferUV2Info(0, 0, 0x7f);  // 7 bits: 19 macros, the most that fit
  setLogThreshold(LOG_ERROR);
  std::string logged;
  {
    test::CapturedStdout out;
    EXPECT_EQ(LoadEffectForObjectSurface(effectPath.c_str(), 4, 1, 0), -1);
    EXPECT_EQ(failure(), "-1: Failed to get the renderer effect");
    extension->setBufferUV2Info(0, 0, 0xff);
    EXPECT_EQ(LoadEffectForObjectSurface(effectPath.c_str(), 4, 1, 0), -1);
    EXPECT_EQ(failure(), "-1: Failed to get the effect compile parameters");
    logged = out.take();
  }
  EXPECT_NE(logged.find("CTkRendererLpp::getMaterialEffect not enough space for macros"), std::string::npos);
  EXPECT_NE(logged.find("CTkSurfaceLightwave::getEffectCompileParameters Not enough space for macros"),
            std::string::npos);
  EXPECT_FALSE(EffectExist(4));
}

}  // namespace
}  // namespace tk
