// The light pass on OpenGL: a floor drawn with the light pre-pass surface
// (Lpp.hlsl) in its "depth" technique fills the G-buffer, lights are added
// into a float light buffer, read back where world points land on the screen.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "api/effect_commands.h"
#include "api/engine_items.h"
#include "api/object_commands.h"
#include "api/surface_commands.h"
#include "base/files/file_layer.h"
#include "effects/binds/shadow_camera.h"
#include "render/lpp/light_buffer.h"
#include "render/lpp/light_pass.h"
#include "render/node_ext/light_scene_node_ext.h"
#include "tests/render/post/post_gl_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

using irr::core::vector3df;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct LightSetup {
  irr::video::E_LIGHT_TYPE type = irr::video::ELT_POINT;
  vector3df position{0, 1, 0};
  float radius = 4;
  float inner = 20, outer = 30;
  bool castShadow = false;
  float fuzz = 0;
  int mapSize = 512;
};

class LightPassGlTest : public test::PostGlTest {
 protected:
  void SetUp() override {
    PostGlTest::SetUp();
    if (HasFatalFailure()) return;
    scene = tkEngine().device->getSceneManager();
    camera = scene->addCameraSceneNode(nullptr, {0, 8, -8}, {0, 0, 0});
    camera->setAspectRatio(static_cast<float>(kScreenWidth) / kScreenHeight);
    // A 20 x 20 square at y = 0 facing up.
    const char* square =
        "v -10 0 -10\nv -10 0 10\nv 10 0 10\nv 10 0 -10\nvn 0 1 0\nf 1//1 2//1 3//1\nf 1//1 3//1 4//1\n";
    ASSERT_EQ(LoadObject(folder.write("floor.obj", square).c_str(), 1), 0);
    test::RuntimeBaseDirectory runtime;
    ASSERT_EQ(LoadEffect(resolveFile("Lpp.hlsl").c_str(), 1), 0);
    SetObjectSurfaceEffect(1, 0, 1);
    UpdateObjectFromSurfaces(1);
    floor = tkEngine().objects->get(1)->node;
    floor->setMaterialFlag(irr::video::EMF_BACK_FACE_CULLING, false);
    floor->updateAbsolutePosition();
  }

  irr::scene::IMeshSceneNode* box(const vector3df& centre, const vector3df& size) {
    irr::scene::IMeshSceneNode* node = scene->addCubeSceneNode(1, nullptr, -1, centre, {0, 0, 0}, size);
    node->updateAbsolutePosition();
    return node;
  }
  irr::video::ITexture* named(const char* name) { return renderers->targets().find(name)->texture; }

  irr::scene::ILightSceneNode* light(const LightSetup& setup) {
    irr::scene::ILightSceneNode* node =
        scene->addLightSceneNode(nullptr, setup.position, irr::video::SColorf(1, 1, 1), setup.radius);
    node->setLightType(setup.type);
    node->getLightData().InnerCone = setup.inner;
    node->getLightData().OuterCone = setup.outer;
    node->setRadius(setup.radius);
    node->enableCastShadow(setup.castShadow);
    node->setRotation({90, 0, 0});  // looking down
    node->updateAbsolutePosition();
    STkLightExtParams& params = attachLightExtension(node)->params();
    params.shadowFuzz = setup.fuzz;
    params.shadowMapSize = setup.mapSize;
    params.shadowColor = irr::video::SColorf(0.25f, 0.5f, 0, 1);
    return node;
  }

  // The floor's normals and depths, as the frame's G-buffer holds them.
  void drawGBuffer() {
    camera->OnAnimate(0);
    camera->render();
    irr::video::ITexture* normal = named("NormalRTT");
    irr::video::ITexture* depth = named("DepthRTT");
    driver->setRenderTarget(depth, true, true, irr::video::SColor(255, 255, 255, 255));
    driver->setRenderTarget(normal, true, false, irr::video::SColor(0, 128, 128, 0));
    irr::video::ITexture* both[2] = {normal, depth};
    services->setRenderTargets(both, 2);
    STkNodeListDraw how;
    how.technique = "depth";
    ASSERT_EQ(services->drawNodeList({floor}, how), 1);
  }

  test::FloatPicture lightBuffer(const std::vector<irr::scene::ILightSceneNode*>& lights,
                                 const std::vector<irr::scene::ISceneNode*>& casters = {}) {
    beginFrame();
    drawGBuffer();
    context->freeShadowMaps();
    context->lightPass()->render(named("LightRTT"), lights, casters);
    test::FloatPicture picture = read(named("LightRTT"));
    endFrame();
    return picture;
  }

  test::Rgba at(const test::FloatPicture& picture, const vector3df& point) {
    const irr::core::position2di pixel =
        scene->getSceneCollisionManager()->getScreenCoordinatesFrom3DPosition(point, camera);
    const bool inside = pixel.X >= 0 && pixel.X < picture.width && pixel.Y >= 0 && pixel.Y < picture.height;
    EXPECT_TRUE(inside) << point.X << "," << point.Y << "," << point.Z;
    return inside ? picture.at(pixel.X, pixel.Y) : test::Rgba();
  }

  const STkLightBufferCounters& counters() const { return context->lightBuffer()->counters(); }

  irr::scene::ISceneManager* scene = nullptr;
  irr::scene::ICameraSceneNode* camera = nullptr;
  irr::scene::ISceneNode* floor = nullptr;
  test::TempFolder folder;
};

TEST_F(LightPassGlTest, LightsFallOffWithDistanceAndCone) {
  using irr::video::ELT_DIRECTIONAL;
  using irr::video::ELT_POINT;
  using irr::video::ELT_SPOT;
  const float cosAt1 = 1 / std::sqrt(10.0f);  // a point 1 aside of a light 3 up
  struct Case {
    const char* name;
    LightSetup setup;
    vector3df point;
    float diffuse;  // white light: every channel
    int fullScreen;
  } cases[] = {
      // a point light 1 above the floor, range 4: 1 - d^2 / 16 times the cosine
      {"point below", {ELT_POINT, {0, 1, 0}, 4}, {0, 0, 0}, 1 - 1 / 16.0f, 0},
      {"point aside", {ELT_POINT, {0, 1, 0}, 4}, {2, 0, 0}, (1 - 5 / 16.0f) / std::sqrt(5.0f), 0},
      {"point beyond", {ELT_POINT, {0, 1, 0}, 4}, {-4, 0, 1}, 0, 0},
      // the camera inside its range: the whole screen
      {"point around the camera", {ELT_POINT, {0, 1, 0}, 15}, {2, 0, 0}, (1 - 5 / 225.0f) / std::sqrt(5.0f), 1},
      // a spot light 3 above, range 5, cone 20 to 30 degrees
      {"spot below", {ELT_SPOT, {0, 3, 0}, 5}, {0, 0, 0}, 1 - 9 / 25.0f, 0},
      {"spot inside the inner cone", {ELT_SPOT, {0, 3, 0}, 5}, {0, 0, -1}, (1 - 10 / 25.0f) * 3 * cosAt1, 0},
      {"spot outside the outer cone", {ELT_SPOT, {0, 3, 0}, 5}, {2, 0, 0}, 0, 0},
      {"distant", {ELT_DIRECTIONAL, {0, 5, 0}, 1}, {3, 0, 2}, 1, 1},
  };
  for (const Case& c : cases) {
    irr::scene::ILightSceneNode* node = light(c.setup);
    const test::FloatPicture picture = lightBuffer({node});
    const test::Rgba seen = at(picture, c.point);
    EXPECT_NEAR(seen.r, c.diffuse, 0.03f) << c.name;
    EXPECT_NEAR(seen.b, c.diffuse, 0.03f) << c.name;
    EXPECT_EQ(counters().fullScreen, c.fullScreen) << c.name;
    EXPECT_TRUE(finite(picture)) << c.name;
    node->remove();
  }
}

// An L above the floor, lit from straight above by a distant light (an
// orthographic shadow map) and by a spot light (a perspective one): its
// shadow is the same L, tinted by the shadow colour (0.25, 0.5, 0).
TEST_F(LightPassGlTest, AnLShapedCasterCastsTheSameL) {
  const std::vector<irr::scene::ISceneNode*> casters{box({-1.5f, 2, 0}, {1, 0.5f, 4}),
                                                     box({0, 2, -1.5f}, {4, 0.5f, 1})};
  LightSetup distant;
  distant.type = irr::video::ELT_DIRECTIONAL;
  distant.position = {0, 10, 0};
  distant.castShadow = true;
  LightSetup spot = distant;
  spot.type = irr::video::ELT_SPOT;
  spot.radius = 1000;  // falls off too little to matter here
  spot.inner = 40;
  spot.outer = 45;
  struct Probe {
    vector3df point;
    bool shadowed;
  } probes[] = {{{-1.5f, 0, 1.5f}, true},  {{-1.5f, 0, -1.5f}, true}, {{1.5f, 0, -1.5f}, true},
                {{1.5f, 0, 1.5f}, false},  {{-3, 0, 0}, false},       {{0, 0, 3}, false}};
  for (const LightSetup& setup : {distant, spot}) {
    irr::scene::ILightSceneNode* node = light(setup);
    ASSERT_LT(shadowLightDirection(node).Y, -0.99f);
    const test::FloatPicture picture = lightBuffer({node}, casters);
    EXPECT_EQ(counters().shadowed, 1) << setup.type;
    for (const Probe& p : probes) {
      const test::Rgba seen = at(picture, p.point);
      const std::string where = std::to_string(setup.type) + " at " + std::to_string(p.point.X) + "," +
                                std::to_string(p.point.Z) + ": " + std::to_string(seen.r) + " " +
                                std::to_string(seen.g) + " " + std::to_string(seen.b);
      if (p.shadowed) {
        EXPECT_NEAR(seen.r, 0.25f, 0.03f) << where;
        EXPECT_NEAR(seen.g, 0.5f, 0.04f) << where;
        EXPECT_LT(seen.b, 0.02f) << where;
      } else {
        EXPECT_GT(seen.b, 0.95f) << where;
        EXPECT_NEAR(seen.r, seen.b, 0.02f) << where;
      }
    }
    node->remove();
  }
}

// Across the edge of a shadow: partly lit points only where the filter is wide.
TEST_F(LightPassGlTest, FuzzWidensThePenumbra) {
  const std::vector<irr::scene::ISceneNode*> casters{box({-1.5f, 2, 0}, {1, 0.5f, 4})};
  auto penumbra = [&](float fuzz) {
    LightSetup setup;
    setup.type = irr::video::ELT_DIRECTIONAL;
    setup.position = {0, 10, 0};
    setup.castShadow = true;
    setup.fuzz = fuzz;
    setup.mapSize = 256;
    irr::scene::ILightSceneNode* sun = light(setup);
    const test::FloatPicture picture = lightBuffer({sun}, casters);
    sun->remove();
    int partial = 0;
    for (float x = -4; x <= 1; x += 0.05f) {
      const float seen = at(picture, {x, 0, 0}).b;
      partial += seen > 0.05f && seen < 0.95f ? 1 : 0;
    }
    return partial;
  };
  const int sharp = penumbra(0);
  const int soft = penumbra(20);
  EXPECT_LE(sharp, 4);
  EXPECT_GE(soft, sharp + 10);
}

// Values no light should get: nothing lit, or lit, never a NaN in the buffer.
TEST_F(LightPassGlTest, BadValuesGiveNoNaN) {
  using irr::video::ELT_POINT;
  using irr::video::ELT_SPOT;
  const std::vector<irr::scene::ISceneNode*> casters{box({0, 2, 0}, {1, 0.5f, 1})};
  struct Case {
    const char* name;
    LightSetup setup;
    bool lights;
    int fullScreen;
  } cases[] = {
      {"point range 0", {ELT_POINT, {0, 1, 0}, 0}, false, 0},
      {"spot range -1", {ELT_SPOT, {0, 3, 0}, -1}, false, 0},
      {"point range NaN", {ELT_POINT, {0, 1, 0}, kNaN}, false, 0},
      {"inner above outer", {ELT_SPOT, {0, 3, 0}, 5, 40, 20}, true, 0},
      {"NaN fuzz", {ELT_SPOT, {0, 3, 0}, 5, 20, 30, true, kNaN}, true, 0},
      {"map size 0", {ELT_SPOT, {0, 3, 0}, 5, 20, 30, true, 0, 0}, true, 0},
      {"map size 10^6", {ELT_SPOT, {0, 3, 0}, 5, 20, 30, true, 0, 1000000}, true, 0},
      {"outer 85", {ELT_SPOT, {0, 3, 0}, 5, 20, 85, true}, true, 1},
      {"outer 90", {ELT_SPOT, {0, 3, 0}, 5, 20, 90, true}, true, 1},
  };
  for (const Case& c : cases) {
    irr::scene::ILightSceneNode* node = light(c.setup);
    const test::FloatPicture picture = lightBuffer({node}, casters);
    EXPECT_TRUE(finite(picture)) << c.name;
    EXPECT_EQ(counters().fullScreen, c.fullScreen) << c.name;
    float brightest = 0;
    for (const test::Rgba& p : picture.pixels) brightest = std::fmax(brightest, p.r);
    EXPECT_EQ(brightest > 0.1f, c.lights) << c.name;
    node->remove();
  }
}

}  // namespace
}  // namespace tk
