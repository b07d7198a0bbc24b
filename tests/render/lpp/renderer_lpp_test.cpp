// The light pre-pass renderer on the null driver: the surface effects it
// names, the named targets it needs, and the engine's start picking the
// simple renderer where the pre-pass cannot run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/lpp/renderer_lpp.h"
#include "render/renderer_start.h"
#include "tests/render/post/post_context_fixture.h"

namespace tk {
namespace {

const char* const kNamedTargets[] = {"BackRTT[0]",    "BackRTT[1]",    "BackRTT[2]",       "BackRTT[3]",
                                     "DepthRTT",      "NormalRTT",     "LightRTT",         "HalfScreen[0]",
                                     "HalfScreen[1]", "HalfScreen[2]", "QuarterScreen[0]", "QuarterScreen[1]"};

class RendererLppTest : public test::PostContextTest {
 protected:
  void SetUp() override {
    test::PostContextTest::SetUp();
    context = makeContext(files(false));
    ASSERT_TRUE(context);
  }
  void TearDown() override {
    if (context) context->drop();
    test::PostContextTest::TearDown();
  }
  STkRendererLppSetup setup(const RenderTargetRegistry* textures) const {
    STkRendererLppSetup s;
    s.device = tkEngine().device;
    s.context = context;
    s.services = manager->getRenderServices();
    s.textures = textures;
    return s;
  }

  CTkRendererCtxAdv* context = nullptr;
};

TEST_F(RendererLppTest, BlendingMaterialsDrawForwardAndTheOthersThroughTheLightBuffer) {
  CTkRendererLpp* renderer = manager->getRendererManager()->createRendererLpp(context, manager->getRenderServices());
  ASSERT_TRUE(renderer);
  EXPECT_EQ(renderer->lppFile(), "Lpp.hlsl");
  EXPECT_EQ(renderer->forwardFile(), "Forward.hlsl");
  struct Case {
    int materialType;
    const char* file;
  } cases[] = {{11, "Lpp.hlsl"}, {12, "Forward.hlsl"}, {15, "Forward.hlsl"}, {16, "Lpp.hlsl"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.materialType);
    std::string file;
    ShaderMacroList macros;
    int capacity = 2;
    ASSERT_TRUE(renderer->getMaterialEffect(&file, &macros, &capacity, c.materialType));
    EXPECT_EQ(file, c.file);
    EXPECT_EQ(capacity, 1);
    EXPECT_EQ(macros, (ShaderMacroList{{"USE_OUTDEPTH", ""}}));
  }
  std::string file, logged;
  ShaderMacroList macros;
  int capacity = 1;
  {
    test::CapturedStdout out;
    EXPECT_FALSE(renderer->getMaterialEffect(&file, &macros, &capacity, 0));
    logged = out.take();
  }
  EXPECT_NE(logged.find("CTkRendererLpp::getMaterialEffect not enough space for macros"), std::string::npos);
  EXPECT_TRUE(macros.empty());
  renderer->drop();
}

// Each named target missing in turn fails the renderer with its message; a
// renderer that failed draws nothing and a second init is refused.
TEST_F(RendererLppTest, AMissingNamedTargetFailsInit) {
  setLogThreshold(LOG_ERROR);
  for (const char* missing : kNamedTargets) {
    SCOPED_TRACE(missing);
    RenderTargetRegistry textures(tkEngine().driver);
    for (const char* name : kNamedTargets) {
      if (std::string(name) != missing) {
        ASSERT_TRUE(textures.create(name, {16, 16}, irr::video::ECF_A8R8G8B8, false, false));
      }
    }
    auto* renderer = new CTkRendererLpp(setup(&textures));
    std::string logged;
    {
      test::CapturedStdout out;
      EXPECT_FALSE(renderer->init("Lpp.hlsl", "Forward.hlsl"));
      logged = out.take();
    }
    EXPECT_NE(logged.find("CTkRendererLpp failed to find render targets"), std::string::npos);
    EXPECT_FALSE(renderer->initialised());
    renderer->drop();
  }
  RenderTargetRegistry textures(tkEngine().driver);
  for (const char* name : kNamedTargets)
    ASSERT_TRUE(textures.create(name, {16, 16}, irr::video::ECF_A8R8G8B8, false, false));
  auto* renderer = new CTkRendererLpp(setup(&textures));
  EXPECT_TRUE(renderer->init("Lpp.hlsl", "Forward.hlsl"));
  EXPECT_FALSE(renderer->init("Lpp.hlsl", "Forward.hlsl"));
  renderer->drop();
  setLogThreshold(LOG_INFO);
}

// The null driver draws no effects: with the light pre-pass switched on the
// engine still starts, with the simple renderer, whose surfaces keep their
// own effects.
TEST_F(RendererLppTest, OffOpenGlTheLightPrePassKeepsTheSimpleRenderer) {
  ASSERT_TRUE(tkEngine().lightPrePass);
  STkRendering& r = rendering();
  ASSERT_TRUE(r.defaultRenderer);
  EXPECT_FALSE(r.advancedContext);
  EXPECT_FALSE(dynamic_cast<CTkRendererLpp*>(r.defaultRenderer));
  std::string file = "unchanged";
  ShaderMacroList macros;
  int capacity = 4;
  ASSERT_TRUE(currentMaterialEffect(&file, &macros, &capacity, 0));
  EXPECT_TRUE(file.empty());
  EXPECT_TRUE(macros.empty());
}

}  // namespace
}  // namespace tk
