// Objects drawn through their node extension on the OpenGL driver: the
// surface's textures reach the effect variant's samplers through the record's
// layers, the tangent copy carries the second UV set to its sampler, depth
// "never" draws nothing, and a see-through surface keeps the target's alpha
// scaled in the transparent pass. Pictures are asymmetric (four coloured
// quadrants) and read back pixel by pixel.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "effects/runtime/effect.h"
#include "platform/screenshot/frame_keeper.h"
#include "render/engine.h"
#include "render/render_services.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "surfaces/lightwave_parameters.h"
#include "surfaces/surface_lightwave.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_engine.h"
#include "tests/support/quad_mesh.h"

namespace tk {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 64;

using irr::core::vector3df;
using irr::video::SColor;

// Red where depth "never" lets it draw.
constexpr const char* kRedEffect = R"(// [TESK_BEGIN]
//TESK_PP:D:NEVER:// config depth_func : NEVER
// float4x4 WorldViewProjection : WorldViewProjection : vertex
// [TESK_END]
float4x4 WorldViewProjection;
float4 vs_main(float4 p : POSITION) : POSITION { return mul(WorldViewProjection, p); }
float4 ps_main() : COLOR { return float4(1, 0, 0, 1); }
)";

class NodeExtDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0);
    scene = tkEngine().sceneManager;
    scene->setAmbientLight(irr::video::SColorf(0, 0, 0));
    scene->setActiveCamera(scene->addCameraSceneNode(nullptr, {0, 0, -3}, {0, 0, 0}));
    redEffectPath = folder.write("red.fx", kRedEffect);
  }
  void TearDown() override { tkSysShutdown(); }

  static CTkSceneManager* tkScenes() { return tkEngine().manager->getSceneManager(); }

  // 64 x 64: top left red, top right green, bottom left blue, bottom right white.
  static irr::video::ITexture* quadrantTexture() {
    irr::video::IVideoDriver* driver = tkEngine().driver;
    irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, {64, 64});
    const SColor colours[2][2] = {{{255, 255, 0, 0}, {255, 0, 255, 0}}, {{255, 0, 0, 255}, {255, 255, 255, 255}}};
    for (irr::u32 y = 0; y < 64; ++y)
      for (irr::u32 x = 0; x < 64; ++x) image->setPixel(x, y, colours[y / 32][x / 32]);
    irr::video::ITexture* texture = driver->addTexture("node-ext-quadrants", image);
    image->drop();
    return texture;
  }
  static irr::video::ITexture* flatNormalMap() {
    irr::video::IVideoDriver* driver = tkEngine().driver;
    irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, {4, 4});
    image->fill(SColor(255, 128, 128, 255));
    irr::video::ITexture* texture = driver->addTexture("node-ext-flat-normals", image);
    image->drop();
    return texture;
  }

  // A node of the mesh with an extension whose one surface shows its own
  // colour unlit (luminous, no diffuse), with `colour` as its colour map.
  CTkSceneNodeExt* luminousNode(irr::scene::IMesh* mesh, irr::video::ITexture* colour) {
    node = scene->addMeshSceneNode(mesh);
    mesh->drop();
    CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
    auto* surface = new CTkSurfaceLightwave();
    surface->setVector(kLwBaseColor, {1, 1, 1});
    surface->setFloat(kLwDiffuse, 0);
    surface->setFloat(kLwLuminosity, 1);
    surface->setFloat(kLwSpecularity, 0);
    surface->setFloat(kLwVertexColoring, 0);  // the white vertex colours would stand in for the colour
    surface->setTexture(kLwBaseColor, colour);
    extension->setSurface(0, surface);
    surface->drop();
    return extension;
  }

  // The variant of the renderer's surface effect that fits surface 0 (the
  // macros the surface and the renderer give), set on the extension.
  void drawThroughSurfaceEffect(CTkSceneNodeExt* extension) {
    int baseMaterial = 0, capacity = 100;
    ShaderMacroList macros;
    ASSERT_TRUE(extension->getSurface(0)->getEffectCompileParameters(&baseMaterial, &macros, &capacity, node,
                                                                      tkScenes()));
    std::string file;
    int room = 100 - capacity;
    ASSERT_TRUE(currentMaterialEffect(&file, &macros, &room, baseMaterial));
    ASSERT_FALSE(file.empty());
    const std::string path = std::string(TESK_SOURCE_DIR) + "/runtime/shadersSURF/" + file;
    CTkEffect* effect = tkEngine().manager->getEffectManager()->createEffect(path.c_str(), baseMaterial, macros);
    ASSERT_TRUE(effect) << tkEngine().manager->getEffectManager()->getLastError();
    extension->setEffect(0, effect, 0, 0);
    effect->drop();
  }

  std::vector<uint8_t> drawFrame() {
    irr::video::IVideoDriver* driver = tkEngine().driver;
    driver->beginScene(true, true, SColor(255, 0, 0, 0));
    scene->drawAll();
    frameKeeper().keepBackBuffer(kWidth, kHeight);
    driver->endScene();
    return test::lastFrameRgb();
  }

  SColor pixelAt(const std::vector<uint8_t>& rgb, const vector3df& point) {
    return test::pixelAtPoint(rgb, kWidth, kHeight, scene, point);
  }

  struct Spot {
    vector3df at;
    SColor expected;
  };
  void expectColours(const std::vector<uint8_t>& rgb, const std::vector<Spot>& spots) {
    for (const Spot& spot : spots) {
      const SColor seen = pixelAt(rgb, spot.at);
      SCOPED_TRACE("at " + std::to_string(spot.at.X) + "," + std::to_string(spot.at.Y));
      EXPECT_NEAR(seen.getRed(), spot.expected.getRed(), 4);
      EXPECT_NEAR(seen.getGreen(), spot.expected.getGreen(), 4);
      EXPECT_NEAR(seen.getBlue(), spot.expected.getBlue(), 4);
    }
  }

  irr::scene::ISceneManager* scene = nullptr;
  irr::scene::IMeshSceneNode* node = nullptr;
  test::TempFolder folder;
  std::string redEffectPath;
};

TEST_F(NodeExtDrawTest, TexturedObjectIsUprightThroughItsSurfaceEffect) {
  CTkSceneNodeExt* extension = luminousNode(test::makeQuadMesh<irr::scene::SMeshBuffer>(), quadrantTexture());
  drawThroughSurfaceEffect(extension);
  // Drawn by the effect, the colour map on the layer its sampler reads, put
  // there from the surface (the effect itself holds no texture).
  CTkEffect* effect = extension->getEffect(0);
  EXPECT_EQ(node->getMaterial(0).MaterialType, effect->pass(0, 0)->material.base.MaterialType);
  ASSERT_NE(extension->getRecord(0)->layers.pixelLayers[0].texture, nullptr);
  EXPECT_EQ(effect->pass(0, 0)->material.pixelLayers[0].texture, nullptr);
  expectColours(drawFrame(), {{{-0.5f, 0.5f, 0}, {255, 255, 0, 0}},
                              {{0.5f, 0.5f, 0}, {255, 0, 255, 0}},
                              {{-0.5f, -0.5f, 0}, {255, 0, 0, 255}},
                              {{0.5f, -0.5f, 0}, {255, 255, 255, 255}},
                              {{-1.5f, 0, 0}, {255, 0, 0, 0}}});
}

TEST_F(NodeExtDrawTest, SecondUvSetReachesItsSamplerThroughTheTangentCopy) {
  CTkSceneNodeExt* extension = luminousNode(test::makeQuadMesh<irr::scene::SMeshBufferLightMap>(), quadrantTexture());
  extension->getSurface(0)->setTexture(kLwBump, flatNormalMap());
  extension->setBufferUV2Info(0, 0, 0x1);  // the colour map reads the second UV set
  ASSERT_TRUE(extension->update());
  ASSERT_EQ(node->getMesh()->getMeshBuffer(0)->getVertexType(), irr::video::EVT_TANGENTS);
  drawThroughSurfaceEffect(extension);
  // The second set is the first mirrored: green on the left, red on the right.
  expectColours(drawFrame(), {{{-0.5f, 0.5f, 0}, {255, 0, 255, 0}},
                              {{0.5f, 0.5f, 0}, {255, 255, 0, 0}},
                              {{-0.5f, -0.5f, 0}, {255, 255, 255, 255}},
                              {{0.5f, -0.5f, 0}, {255, 0, 0, 255}}});
}

TEST_F(NodeExtDrawTest, DepthNeverDrawsNothing) {
  struct Case {
    const char* name;
    bool effect;
    bool never;
  };
  for (const Case& c : {Case{"shader material", true, true}, Case{"shader material, depth less-equal", true, false},
                        Case{"fixed-function material", false, true},
                        Case{"fixed-function material, depth less-equal", false, false}}) {
    SCOPED_TRACE(c.name);
    irr::video::IImage* image = tkEngine().driver->createImage(irr::video::ECF_A8R8G8B8, {2, 2});
    image->fill(SColor(255, 255, 0, 0));
    irr::video::ITexture* red = tkEngine().driver->addTexture("node-ext-red", image);
    image->drop();
    CTkSceneNodeExt* extension = luminousNode(test::makeQuadMesh<irr::scene::SMeshBuffer>(), red);
    if (c.effect) {
      ShaderMacroList macros;
      if (c.never) macros.push_back({"NEVER", ""});
      CTkEffect* effect = tkEngine().manager->getEffectManager()->createEffect(redEffectPath.c_str(), 0, macros);
      ASSERT_TRUE(effect);
      extension->setEffect(0, effect, 0, 0);
      effect->drop();
    } else {
      node->getMaterial(0).ZBuffer = c.never ? 8 : irr::video::ECFN_LESSEQUAL;
      extension->update();
    }
    const SColor seen = pixelAt(drawFrame(), {0, 0, 0});
    EXPECT_EQ(seen.getRed(), c.never ? 0u : 255u);
    node->remove();
    tkEngine().driver->removeTexture(red);
  }
}

// In the transparent pass a see-through surface blends its colour over the
// target and scales the target's alpha by 1 - its opacity: half blue over
// a blue target of full alpha leaves alpha one half (plain blending would
// leave three quarters).
TEST_F(NodeExtDrawTest, SeeThroughSurfaceScalesTheTargetAlpha) {
  CTkSceneNodeExt* extension = luminousNode(test::makeQuadMesh<irr::scene::SMeshBuffer>(), nullptr);
  extension->getSurface(0)->setVector(kLwBaseColor, {1, 0, 0});
  extension->getSurface(0)->setFloat(kLwTransparency, 0.5f);
  drawThroughSurfaceEffect(extension);
  irr::video::IVideoDriver* driver = tkEngine().driver;
  irr::video::ITexture* target = driver->addRenderTargetTexture({kWidth, kHeight}, "node-ext-target",
                                                                irr::video::ECF_A8R8G8B8);
  ASSERT_TRUE(target);
  driver->beginScene(true, true, SColor(0, 0, 0, 0));
  driver->setRenderTarget(target, true, true, SColor(255, 0, 0, 255));
  scene->getActiveCamera()->render();  // the view and projection of the camera
  STkNodeListDraw how;
  how.pass = irr::scene::ESNRP_TRANSPARENT;
  EXPECT_EQ(tkEngine().manager->getRenderServices()->drawNodeList({node}, how), 1);
  driver->setRenderTarget(irr::video::ERT_FRAME_BUFFER, false, false);
  driver->endScene();
  const auto* texels = static_cast<const irr::u32*>(target->lock(irr::video::ETLM_READ_ONLY));
  ASSERT_TRUE(texels);
  const SColor centre(texels[(kHeight / 2) * kWidth + kWidth / 2]);
  target->unlock();
  EXPECT_NEAR(centre.getRed(), 128, 4);
  EXPECT_NEAR(centre.getBlue(), 128, 4);
  EXPECT_NEAR(centre.getAlpha(), 128, 4);
}

}  // namespace
}  // namespace tk
