// The forward LightWave surface effect drawn on a quad facing the camera, lit
// by directional lights of the engine's light list, with the surface values
// read through a node extension: its BaseColor texture (four coloured
// quadrants) comes out upright and lit; normal maps turn the same way whether
// the mesh brings tangents or the shader computes them; the second UV set
// reaches its sampler from either place a mesh keeps it. The light pre-pass
// variant reads the light buffer at the pixel it draws.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "effects/binds/bind_environment.h"
#include "effects/binds/surface_parameters.h"
#include "effects/runtime/effect.h"
#include "effects/runtime/effect_manager.h"
#include "platform/screenshot/frame_keeper.h"
#include "render/engine.h"
#include "render/tk_manager.h"
#include "render/tk_scene_manager.h"
#include "startup/sys_setup.h"
#include "tests/effects/binds/surface_fakes.h"
#include "tests/support/gl_engine.h"
#include "tests/support/quad_mesh.h"

namespace tk {
namespace {

constexpr int kWidth = 96;
constexpr int kHeight = 96;

using irr::core::vector3df;
using irr::video::SColor;

struct Released {
  void operator()(irr::IReferenceCounted* object) const {
    if (object) object->drop();
  }
};
template <typename T>
using Held = std::unique_ptr<T, Released>;

int surfaceIndex(const std::string& name) {
  for (int i = 0; i < kSurfaceParameterCount; ++i)
    if (name == kSurfaceParameterNames[i]) return i;
  ADD_FAILURE() << name;
  return 0;
}

// 64 x 64, top left red, top right green, bottom left blue, bottom right white.
irr::video::ITexture* quadrantTexture() {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  Held<irr::video::IImage> image(driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(64, 64)));
  const SColor colours[2][2] = {{{255, 255, 0, 0}, {255, 0, 255, 0}}, {{255, 0, 0, 255}, {255, 255, 255, 255}}};
  for (irr::u32 y = 0; y < 64; ++y)
    for (irr::u32 x = 0; x < 64; ++x) image->setPixel(x, y, colours[y / 32][x / 32]);
  return driver->addTexture("surface-quadrants", image.get());
}

// A normal map whose every normal leans the same way in tangent space.
irr::video::ITexture* leaningNormalMap(const vector3df& normal) {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  Held<irr::video::IImage> image(driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(4, 4)));
  auto byte = [](float v) { return static_cast<irr::u32>((v * 0.5f + 0.5f) * 255.0f + 0.5f); };
  image->fill(SColor(255, byte(normal.X), byte(normal.Y), byte(normal.Z)));
  return driver->addTexture("surface-leaning-normals", image.get());
}

template <typename Buffer>
Held<irr::scene::IMesh> quadMesh() {
  return Held<irr::scene::IMesh>(test::makeQuadMesh<Buffer>());
}

// The display library's tangent copy of the quad; with `uv2InBinormal` the
// binormals carry the mirrored second UV set instead, as the engine's tangent
// copy of a mesh with two UV sets does.
Held<irr::scene::IMesh> tangentQuad(bool uv2InBinormal) {
  Held<irr::scene::IMesh> plain = quadMesh<irr::scene::SMeshBuffer>();
  Held<irr::scene::IMesh> mesh(tkEngine().sceneManager->getMeshManipulator()->createMeshWithTangents(plain.get()));
  if (uv2InBinormal) {
    auto* buffer = static_cast<irr::scene::SMeshBufferTangents*>(mesh->getMeshBuffer(0));
    for (irr::u32 i = 0; i < buffer->Vertices.size(); ++i) {
      irr::video::S3DVertexTangents& v = buffer->Vertices[i];
      v.Binormal.set(1 - v.TCoords.X, v.TCoords.Y, 0);
    }
  }
  return mesh;
}

class SurfaceShaderDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0);
    hub = tkEngine().manager;
    scene = tkEngine().sceneManager;
    surface.vectors[surfaceIndex("BaseColor")] = {1, 1, 1};
    surface.floats[surfaceIndex("Diffuse")] = 1;
    surface.floats[surfaceIndex("Bump")] = 1;
    extension.surfaces = {&surface};
    STkBindEnvironment environment;
    environment.device = tkEngine().device;
    environment.sceneManager = hub->getSceneManager();
    environment.nodeExtensions = &lookup;
    effects = std::make_unique<CTkEffectManager>(tkEngine().device, hub->getGPUProgrammingServices(),
                                                 hub->getTechLookup(), hub->getMaterialContexts(), &environment);
    scene->setActiveCamera(scene->addCameraSceneNode(nullptr, {0, 0, -3}, {0, 0, 0}));
  }
  void TearDown() override {
    for (irr::scene::ILightSceneNode* light : lights) hub->getSceneManager()->unregisterLight(light);
    effects.reset();
    tkSysShutdown();
  }

  // A white directional light travelling along `direction`.
  void addLight(const vector3df& direction) {
    irr::scene::ILightSceneNode* light = scene->addLightSceneNode(nullptr, {0, 0, 0}, irr::video::SColorf(1, 1, 1), 100);
    light->setRotation(direction.getHorizontalAngle());
    light->updateAbsolutePosition();
    light->setLightType(irr::video::ELT_DIRECTIONAL);
    hub->getSceneManager()->registerLight(light);
    lights.push_back(light);
  }

  // One frame of the mesh drawn with the effect file built with `macros`, the
  // surface's textures put on the samplers of their semantics as a surface
  // does; rows of RGB, top row first.
  std::vector<uint8_t> draw(irr::scene::IMesh* mesh, const std::vector<std::string>& macros,
                            const std::vector<std::pair<std::string, irr::video::ITexture*>>& textures,
                            const char* file = "Forward.hlsl") {
    ShaderMacroList list;
    for (const std::string& name : macros) list.push_back({name, ""});
    const std::string path = std::string(TESK_SOURCE_DIR) + "/runtime/shadersSURF/" + file;
    Held<CTkEffect> effect(effects->createEffect(path.c_str(), 0, list));
    EXPECT_TRUE(effect) << effects->getLastError();
    if (!effect) return {};
    for (const auto& [semantic, texture] : textures)
      for (int i = 0; i < effect->parameterCount(); ++i)
        if (effect->getParameter(i)->semantic == semantic) effect->setSamplerTexture(i, texture);

    irr::scene::IMeshSceneNode* node = scene->addMeshSceneNode(mesh);
    lookup.extensions[node] = &extension;
    STkMaterial pass;
    EXPECT_TRUE(effect->applyPass(0, 0, &pass, false));
    STkMaterialContext context;
    context.effect = effect.get();
    context.material = &pass;
    context.node = node;
    TkMaterialContextSlot slot(hub->getMaterialContexts(), &context);
    irr::video::SMaterial& material = node->getMaterial(0);
    material.MaterialType = pass.base.MaterialType;
    material.MaterialTypeParam2 = slot.typeParameter();

    irr::video::IVideoDriver* driver = tkEngine().driver;
    driver->beginScene(true, true, SColor(255, 0, 0, 0));
    scene->drawAll();
    frameKeeper().keepBackBuffer(kWidth, kHeight);
    driver->endScene();
    lookup.extensions.erase(node);
    node->remove();
    std::vector<uint8_t> rgb = test::lastFrameRgb();
    EXPECT_EQ(rgb.size(), static_cast<size_t>(kWidth * kHeight * 3));
    return rgb;
  }

  // The colour of the pixel where a world point lands.
  SColor pixelAt(const std::vector<uint8_t>& rgb, const vector3df& point) {
    return test::pixelAtPoint(rgb, kWidth, kHeight, scene, point);
  }

  struct Spot {
    vector3df at;
    SColor expected;
  };
  void expectColours(const std::vector<uint8_t>& rgb, const std::vector<Spot>& spots, int tolerance) {
    for (const Spot& spot : spots) {
      const SColor seen = pixelAt(rgb, spot.at);
      SCOPED_TRACE("at " + std::to_string(spot.at.X) + "," + std::to_string(spot.at.Y));
      EXPECT_NEAR(seen.getRed(), spot.expected.getRed(), tolerance);
      EXPECT_NEAR(seen.getGreen(), spot.expected.getGreen(), tolerance);
      EXPECT_NEAR(seen.getBlue(), spot.expected.getBlue(), tolerance);
    }
  }

  CTkManager* hub = nullptr;
  irr::scene::ISceneManager* scene = nullptr;
  test::FakeSurface surface;
  test::FakeNodeExt extension;
  test::FakeLookup lookup;
  std::unique_ptr<CTkEffectManager> effects;
  std::vector<irr::scene::ILightSceneNode*> lights;
};

TEST_F(SurfaceShaderDrawTest, TexturedQuadIsUprightAndLitByTheLightList) {
  addLight({std::sin(irr::core::PI / 3), 0, std::cos(irr::core::PI / 3)});  // 60 degrees off the quad's normal
  scene->setAmbientLight(irr::video::SColorf(0.1f, 0.1f, 0.1f));
  Held<irr::scene::IMesh> quad = quadMesh<irr::scene::SMeshBuffer>();
  const std::vector<uint8_t> rgb = draw(quad.get(), {"USE_TEX_COLOR"}, {{"LW_Tex_BaseColor", quadrantTexture()}});
  // Each quadrant: its texture colour times ambient 0.1 plus diffuse cos 60.
  expectColours(rgb,
                {{{-0.5f, 0.5f, 0}, {255, 153, 0, 0}},
                 {{0.5f, 0.5f, 0}, {255, 0, 153, 0}},
                 {{-0.5f, -0.5f, 0}, {255, 0, 0, 153}},
                 {{0.5f, -0.5f, 0}, {255, 153, 153, 153}},
                 {{-1.5f, 0, 0}, {255, 0, 0, 0}}},
                6);
}

struct MeshCase {
  const char* name;
  std::vector<std::string> macros;
  Held<irr::scene::IMesh> (*mesh)();
};

// Normals leaning up and right in the map face a light from the upper right:
// lit at cos 10 degrees, where a flat normal is lit at 0.58 and a tangent or
// binormal the wrong way round at 0.41.
TEST_F(SurfaceShaderDrawTest, NormalMapsLeanTheSameWayWithMeshOrComputedTangents) {
  addLight(vector3df(-1, -1, 1).normalize());
  const MeshCase cases[] = {
      {"computed tangents", {"USE_TEX_NORMAL", "USE_COMPTANGENT"}, [] { return quadMesh<irr::scene::SMeshBuffer>(); }},
      {"mesh tangents", {"USE_TEX_NORMAL"}, [] { return tangentQuad(false); }},
      {"mesh tangents, second UV set in the binormal",
       {"USE_TEX_NORMAL", "USE_UV2", "USE_UV2INTEX2", "USE_UV2_TEX_NORMAL"},
       [] { return tangentQuad(true); }},
  };
  irr::video::ITexture* normals = leaningNormalMap(vector3df(0.5f, 0.5f, 0.7071f));
  for (const MeshCase& c : cases) {
    SCOPED_TRACE(c.name);
    Held<irr::scene::IMesh> mesh = c.mesh();
    const std::vector<uint8_t> rgb = draw(mesh.get(), c.macros, {{"LW_Tex_Bump", normals}});
    expectColours(rgb, {{{0, 0, 0}, {255, 251, 251, 251}}, {{0.5f, -0.5f, 0}, {255, 251, 251, 251}}}, 8);
  }
}

TEST_F(SurfaceShaderDrawTest, SecondUvSetReachesItsSamplerFromEitherTextureCoordinate) {
  addLight({0, 0, 1});
  const MeshCase cases[] = {
      {"two UV sets", {"USE_TEX_COLOR", "USE_UV2", "USE_UV2_TEX_COLOR"},
       [] { return quadMesh<irr::scene::SMeshBufferLightMap>(); }},
      {"tangents, second UV set in the binormal", {"USE_TEX_COLOR", "USE_UV2", "USE_UV2INTEX2", "USE_UV2_TEX_COLOR"},
       [] { return tangentQuad(true); }},
  };
  irr::video::ITexture* quadrants = quadrantTexture();
  for (const MeshCase& c : cases) {
    SCOPED_TRACE(c.name);
    Held<irr::scene::IMesh> mesh = c.mesh();
    const std::vector<uint8_t> rgb = draw(mesh.get(), c.macros, {{"LW_Tex_BaseColor", quadrants}});
    // The second set is the first mirrored: green on the left, red on the right.
    expectColours(rgb,
                  {{{-0.5f, 0.5f, 0}, {255, 0, 255, 0}},
                   {{0.5f, 0.5f, 0}, {255, 255, 0, 0}},
                   {{-0.5f, -0.5f, 0}, {255, 255, 255, 255}},
                   {{0.5f, -0.5f, 0}, {255, 0, 0, 255}}},
                  6);
  }
}

// The light buffer holds four quadrants of light; each part of the quad takes
// the light of the buffer's pixel under it.
TEST_F(SurfaceShaderDrawTest, LightPrePassSurfaceReadsTheBufferAtItsOwnPixel) {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  irr::video::ITexture* buffer = driver->addRenderTargetTexture({kWidth, kHeight}, "LightRTT", irr::video::ECF_A8R8G8B8);
  ASSERT_TRUE(buffer);
  const int w = kWidth / 2, h = kHeight / 2;
  driver->beginScene(true, true, SColor(255, 0, 0, 0));
  driver->setRenderTarget(buffer, true, true, SColor(255, 0, 0, 0));
  driver->draw2DRectangle(SColor(255, 200, 0, 0), {0, 0, w, h});
  driver->draw2DRectangle(SColor(255, 0, 200, 0), {w, 0, kWidth, h});
  driver->draw2DRectangle(SColor(255, 0, 0, 200), {0, h, w, kHeight});
  driver->draw2DRectangle(SColor(255, 100, 100, 100), {w, h, kWidth, kHeight});
  driver->setRenderTarget(irr::video::ERT_FRAME_BUFFER, false, false);
  driver->endScene();

  Held<irr::scene::IMesh> quad = quadMesh<irr::scene::SMeshBuffer>();
  const std::vector<uint8_t> rgb = draw(quad.get(), {}, {}, "Lpp.hlsl");
  expectColours(rgb,
                {{{-0.5f, 0.5f, 0}, {255, 200, 0, 0}},
                 {{0.5f, 0.5f, 0}, {255, 0, 200, 0}},
                 {{-0.5f, -0.5f, 0}, {255, 0, 0, 200}},
                 {{0.5f, -0.5f, 0}, {255, 100, 100, 100}}},
                6);
}

}  // namespace
}  // namespace tk
