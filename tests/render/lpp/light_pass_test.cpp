// The light pass on the null driver: which effect variant draws a light,
// which shadow map a light gets, and what a missing or broken effect file does.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "base/log.h"
#include "effects/runtime/effect.h"
#include "render/lpp/light_buffer.h"
#include "render/lpp/light_effect_slot.h"
#include "render/lpp/light_pass.h"
#include "render/lpp/shadow_map_pool.h"
#include "render/node_ext/light_scene_node_ext.h"
#include "tests/render/post/post_context_fixture.h"

namespace tk {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

TEST(LightEffectSlotTest, TypeShadowAndFuzzPickTheSlot) {
  using irr::video::ELT_DIRECTIONAL;
  using irr::video::ELT_POINT;
  using irr::video::ELT_SPOT;
  struct Case {
    irr::video::E_LIGHT_TYPE type;
    bool shadowed;
    float fuzz;
    int slot;
  } cases[] = {
      {ELT_DIRECTIONAL, false, 5, 0},  {ELT_DIRECTIONAL, true, 0, 1},  {ELT_DIRECTIONAL, true, 0.99f, 1},
      {ELT_DIRECTIONAL, true, 1, 2},   {ELT_DIRECTIONAL, true, 3, 3},  {ELT_DIRECTIONAL, true, 4, 4},
      {ELT_DIRECTIONAL, true, 8, 5},   {ELT_DIRECTIONAL, true, 16, 6}, {ELT_DIRECTIONAL, true, 31.9f, 6},
      {ELT_DIRECTIONAL, true, 32, 7},  {ELT_SPOT, false, 3, 16},       {ELT_SPOT, true, 3, 19},
      {ELT_SPOT, true, 40, 23},        {ELT_SPOT, true, -2, 17},       {ELT_SPOT, true, kNaN, 17},
      {ELT_SPOT, true, kInfinity, 23}, {ELT_SPOT, true, -kInfinity, 17},
      // Point lights have no shadowed variant: drawn unshadowed.
      {ELT_POINT, false, 0, 8},        {ELT_POINT, true, 0, 8},        {ELT_POINT, true, 40, 8},
      {irr::video::ELT_COUNT, false, 0, -1},  // no light type
  };
  for (const Case& c : cases) {
    const int slot = lightEffectSlot(c.type, c.shadowed, c.fuzz);
    EXPECT_EQ(slot, c.slot) << c.type << " " << c.shadowed << " " << c.fuzz;
    if (slot >= 0) {
      EXPECT_TRUE(lightEffectSlotUsed(slot)) << slot;
    }
  }
}

TEST(LightEffectSlotTest, EachUsedSlotHasItsMacros) {
  auto names = [](int slot) {
    std::string joined;
    for (const SShaderMacro& macro : lightEffectMacros(slot)) joined += macro.name + " ";
    return joined;
  };
  EXPECT_EQ(names(0), "USE_DISTANT ");
  EXPECT_EQ(names(1), "USE_DISTANT USE_SHADOW USE_SH0 ");
  EXPECT_EQ(names(8), "USE_POINT ");
  EXPECT_EQ(names(9), "");  // point lights: no shadowed variants
  EXPECT_EQ(names(15), "");
  EXPECT_EQ(names(19), "USE_SPOTLIGHT USE_SHADOW USE_SH2 ");
  EXPECT_EQ(names(23), "USE_SPOTLIGHT USE_SHADOW USE_SH32 ");
}

class LightPassTest : public test::PostContextTest {
 protected:
  irr::video::ITexture* target(const char* name) {
    const RenderTargetInfo* info = manager->getRendererManager()->targets().find(name);
    EXPECT_TRUE(info) << name;
    return info ? info->texture : nullptr;
  }
  irr::scene::ILightSceneNode* spot(const irr::core::vector3df& position, bool volumetric) {
    irr::scene::ISceneManager* scene = tkEngine().device->getSceneManager();
    irr::scene::ILightSceneNode* light =
        scene->addLightSceneNode(nullptr, position, irr::video::SColorf(1, 1, 1), 50);
    light->setLightType(irr::video::ELT_SPOT);
    light->enableCastShadow(true);
    attachLightExtension(light)->params().volumetric = volumetric;
    light->updateAbsolutePosition();
    return light;
  }
};

TEST_F(LightPassTest, PickingFollowsSizesAndKeepsVolumetricMaps) {
  CTkRendererCtxAdv* context = makeContext(files(false));
  ASSERT_TRUE(context);
  CTkShadowMapPool& pool = context->shadowMapPool();
  irr::scene::ILightSceneNode* plain = spot({0, 0, 0}, false);
  irr::scene::ILightSceneNode* volumetric = spot({0, 0, 0}, true);
  struct Case {
    int size;
    irr::scene::ILightSceneNode* users[4];
    int picked;
  } cases[] = {
      {256, {}, 0},
      {512, {}, 1},
      {1024, {}, 3},
      {1000000, {}, 3},
      {0, {}, 0},
      {-5, {}, 0},
      {300, {}, 0},  // rounded down to the map below the next size
      {600, {}, 2},
      {512, {plain}, 0 + 1},  // a plain light's map is shared
      {512, {nullptr, volumetric}, 2},
      {512, {nullptr, volumetric, volumetric}, 3},
      {256, {volumetric}, 1},
      // every map kept: the walk again, ignoring what is kept
      {512, {volumetric, volumetric, volumetric, volumetric}, 1},
  };
  for (const Case& c : cases) {
    pool.freeAll();
    for (int i = 0; i < 4; ++i) pool.setUser(i, c.users[i]);
    EXPECT_EQ(pool.pick(c.size), c.picked) << c.size << " " << c.users[1];
  }
  pool.freeAll();
  EXPECT_EQ(pool.user(1), nullptr);
  context->drop();
}

// Two shadowed spot lights asking for 512 share one map unless the first is
// volumetric; a black light costs no map.
TEST_F(LightPassTest, LightsTakeMapsFromThePoolAsTheyDraw) {
  irr::scene::ISceneManager* scene = tkEngine().device->getSceneManager();
  scene->addCameraSceneNode(nullptr, {0, 0, -10}, {0, 0, 0});
  irr::scene::ISceneNode* caster = scene->addCubeSceneNode(1, nullptr, -1, {0, 0, 5});
  caster->updateAbsolutePosition();
  const std::vector<irr::scene::ISceneNode*> casters{caster};
  CTkRendererCtxAdv* context = makeContext(files(false));
  ASSERT_TRUE(context && context->lightPass());
  irr::video::ITexture* map512 = target("ShadowMap.512");
  irr::video::ITexture* map512b = target("ShadowMap.512.1");
  for (bool firstVolumetric : {false, true}) {
    irr::scene::ILightSceneNode* first = spot({0, 0, 0}, firstVolumetric);
    irr::scene::ILightSceneNode* second = spot({0, 0, 1}, false);
    irr::scene::ILightSceneNode* black = spot({0, 0, 2}, false);
    black->getLightData().DiffuseColor = irr::video::SColorf(0, 0, 0);
    context->freeShadowMaps();
    context->lightPass()->render(target("LightRTT"), {first, second, black}, casters);
    CTkShadowMapPool& pool = context->shadowMapPool();
    EXPECT_EQ(pool.mapOf(first), firstVolumetric ? map512 : nullptr) << firstVolumetric;
    EXPECT_EQ(pool.mapOf(second), firstVolumetric ? map512b : map512) << firstVolumetric;
    EXPECT_EQ(pool.mapOf(black), nullptr);
    EXPECT_EQ(context->lightBuffer()->counters().spot, 2);
    EXPECT_EQ(context->lightBuffer()->counters().shadowed, 2);
  }
  context->drop();
}

// A light of no known type is reported and costs nothing: no map, no draw.
TEST_F(LightPassTest, ALightOfNoKnownTypeIsReportedAndNotDrawn) {
  irr::scene::ISceneManager* scene = tkEngine().device->getSceneManager();
  scene->addCameraSceneNode(nullptr, {0, 0, -10}, {0, 0, 0});
  CTkRendererCtxAdv* context = makeContext(files(false));
  ASSERT_TRUE(context && context->lightPass());
  irr::scene::ILightSceneNode* odd = spot({0, 0, 0}, false);
  odd->getLightData().Type = irr::video::ELT_COUNT;
  test::CapturedStdout out;
  context->freeShadowMaps();
  context->lightPass()->render(target("LightRTT"), {odd}, {});
  EXPECT_NE(out.take().find("ERROR : CTkRenderLightBuffer: wrong light type"), std::string::npos);
  const STkLightBufferCounters& counters = context->lightBuffer()->counters();
  EXPECT_EQ(counters.spot + counters.point + counters.distant + counters.fullScreen, 0);
  EXPECT_EQ(context->shadowMapPool().mapOf(odd), nullptr);
  context->drop();
}

// What the lights draw with: shadowed only with a caster in the frustum;
// point lights never; a variant without a shadow map is drawn unshadowed.
TEST_F(LightPassTest, ShadowsNeedACasterAVariantAndAMapParameter) {
  setLogThreshold(LOG_ERROR);
  irr::scene::ISceneManager* scene = tkEngine().device->getSceneManager();
  scene->addCameraSceneNode(nullptr, {0, 0, -10}, {0, 0, 0});
  irr::scene::ISceneNode* ahead = scene->addCubeSceneNode(1, nullptr, -1, {0, 0, 5});
  irr::scene::ISceneNode* behind = scene->addCubeSceneNode(1, nullptr, -1, {0, 0, -5});
  ahead->updateAbsolutePosition();
  behind->updateAbsolutePosition();
  irr::scene::ILightSceneNode* point = spot({0, 0, 0}, false);
  point->setLightType(irr::video::ELT_POINT);
  // The engine's file, and one whose variants declare no shadow map.
  const std::string noMap = folder.write("NoMap.hlsl", R"(// [TESK_BEGIN]
// config baseMaterial : transparent_one_one
// float4x4 WorldViewProjection : WorldViewProjection : vertex
// float3 LightColor : 1, 1, 1 : pixel
// [TESK_END]
float4x4 WorldViewProjection;
float3 LightColor;
float4 vs_main(float4 p : POSITION) : POSITION { return mul(WorldViewProjection, p); }
float4 ps_main() : COLOR { return float4(LightColor, 1); }
)");
  struct Case {
    const char* name;
    std::string file;
    bool pointLight;
    irr::scene::ISceneNode* caster;
    int shadowed;
    std::string message;
  } cases[] = {
      {"spot, caster ahead", "", false, ahead, 1, ""},
      {"spot, caster behind", "", false, behind, 0, ""},
      {"point", "", true, ahead, 0, ""},
      {"no map parameter", noMap, false, ahead, 0, "CTkRenderLightBuffer: no shader texture parameter ShadowMap"},
  };
  for (const Case& c : cases) {
    CTkRendererCtxAdv* context = makeContext(files(false, c.file.empty() ? -1 : kCtxAdvLightPass, c.file));
    ASSERT_TRUE(context) << c.name;
    irr::scene::ILightSceneNode* light = c.pointLight ? point : spot({0, 0, 0}, false);
    test::CapturedStdout out;
    context->lightPass()->render(target("LightRTT"), {light}, {c.caster});
    const std::string logged = out.take();
    const STkLightBufferCounters& counters = context->lightBuffer()->counters();
    EXPECT_EQ(counters.shadowed, c.shadowed) << c.name;
    EXPECT_EQ(counters.spot + counters.point, 1) << c.name;
    EXPECT_EQ(context->shadowMapPool().mapOf(light) != nullptr, c.shadowed == 1 || !c.message.empty()) << c.name;
    if (c.message.empty()) {
      EXPECT_EQ(logged, "") << c.name;
    } else {
      EXPECT_NE(logged.find(c.message), std::string::npos) << c.name << logged;
    }
    context->drop();
  }
}

// The render settings' epsilon, when switched on, replaces the light's own in
// the shadow lookup (both in units of 0.00001).
TEST_F(LightPassTest, TheRenderSettingsOverrideTheShadowEpsilon) {
  irr::scene::ISceneManager* scene = tkEngine().device->getSceneManager();
  scene->addCameraSceneNode(nullptr, {0, 0, -10}, {0, 0, 0});
  irr::scene::ISceneNode* caster = scene->addCubeSceneNode(1, nullptr, -1, {0, 0, 5});
  caster->updateAbsolutePosition();
  irr::scene::ILightSceneNode* light = spot({0, 0, 0}, false);
  attachLightExtension(light)->params().shadowEpsilon = 5;
  CTkRendererCtxAdv* context = makeContext(files(false));
  ASSERT_TRUE(context);
  CTkEffect* effect = context->lightBuffer()->effect(lightEffectSlot(irr::video::ELT_SPOT, true, 0));
  ASSERT_TRUE(effect);
  struct Case {
    int overrideOn;
    float value;
    float epsilon;
  } cases[] = {{0, 2, 5e-5f}, {1, 2, 2e-5f}, {1, 0, 0}, {0, 0, 5e-5f}};
  for (const Case& c : cases) {
    STkRenderSettings engine;
    engine.shadowEnable = c.overrideOn;
    engine.shadowEpsilon = c.value;
    context->refreshRenderSettings(engine, STkCameraValues(), 0, false);
    context->lightPass()->render(target("LightRTT"), {light}, {caster});
    ASSERT_EQ(context->lightBuffer()->counters().shadowed, 1);
    float epsilon = -1;
    ASSERT_TRUE(effect->getFloat(effect->getParameterIndex("ShadowEpsilon"), &epsilon));
    EXPECT_FLOAT_EQ(epsilon, c.epsilon) << c.overrideOn << " " << c.value;
  }
  context->drop();
}

TEST_F(LightPassTest, AMissingOrBrokenFileFailsTheContext) {
  setLogThreshold(LOG_ERROR);
  const std::string missing = folder.path() + "/missing.hlsl";
  const std::string badHeader = folder.write("bad_header.hlsl", "// [TESK_BEGIN]\n// float4 tint\n// [TESK_END]\n");
  const std::string badCode = folder.write("bad_code.hlsl", "float4 ps_main( : COLOR { return 1; }\n");
  // Compiles alone, fails with the spot light's macro.
  const std::string badSpot = folder.write("bad_spot.hlsl", R"(// [TESK_BEGIN]
// [TESK_END]
float4 vs_main(float4 p : POSITION) : POSITION { return p; }
#if defined(USE_SPOTLIGHT)
float4 ps_main() : COLOR { return undeclared; }
#else
float4 ps_main() : COLOR { return 1; }
#endif
)");
  struct Case {
    int position;
    std::string file;
    std::string message;
  } cases[] = {
      {kCtxAdvLightPass, missing, "CTkRenderLightBuffer: failed to load " + missing},
      {kCtxAdvLightPass, badHeader, "CTkRenderLightBuffer: failed to load " + badHeader},
      {kCtxAdvLightPass, badCode, "CTkRenderLightBuffer: failed to load " + badCode},
      {kCtxAdvLightPass, badSpot, "CTkRenderLightBuffer: failed to load " + badSpot},
      {kCtxAdvShadowDepth, missing, "CTkRenderLightShadowMap failed to load " + missing},
      {kCtxAdvShadowDepth, badCode, "CTkRenderLightShadowMap failed to load " + badCode},
  };
  for (const Case& c : cases) {
    std::string logged;
    CTkRendererCtxAdv* context = makeContext(files(false, c.position, c.file), &logged);
    EXPECT_FALSE(context) << c.file;
    if (context) context->drop();
    EXPECT_NE(logged.find(c.message), std::string::npos) << logged;
  }
  CTkRendererCtxAdv* context = makeContext(files(false));
  ASSERT_TRUE(context);
  EXPECT_TRUE(context->lightPass());
  for (int slot = 0; slot < kLightEffectSlotCount; ++slot)
    EXPECT_EQ(context->lightBuffer()->effect(slot) != nullptr, lightEffectSlotUsed(slot)) << slot;
  context->drop();
}

}  // namespace
}  // namespace tk
