// Command renderers on the null driver: set-up and its messages, slot names,
// the flip-flop rotation rules and the time windows of Shader commands.
#include <gtest/gtest.h>

#include "api/effect_commands.h"
#include "base/log.h"
#include "render/commands/indexed_slot_name.h"
#include "render/commands/renderer_cmds.h"
#include "render/engine.h"
#include "render/renderer_ctx_adv.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "tests/support/runtime_base_directory.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

constexpr const char* kEffectSource = R"(// [TESK_BEGIN]
// texture Picture
// [TESK_END]
sampler2D Picture;
float4 vs_main(float4 p : POSITION) : POSITION { return p; }
float4 ps_main(float2 uv : TEXCOORD0) : COLOR { return tex2D(Picture, uv); }
)";

using Connections = std::vector<RenderConnection>;

STkRenderCmdParam integer(const char* name, int value) {
  STkRenderCmdParam p;
  p.name = name;
  p.integer = value;
  return p;
}

STkRenderCmdParam number(const char* name, float value) {
  STkRenderCmdParam p;
  p.name = name;
  p.kind = RP_FLOAT;
  p.vector[0] = value;
  return p;
}

STkRenderCmdParam text(const char* name, const char* value) {
  STkRenderCmdParam p;
  p.name = name;
  p.kind = RP_TEXT;
  p.text = value;
  return p;
}

STkRenderCmdDesc command(const char* type, Connections inputs, Connections outputs,
                         std::vector<STkRenderCmdParam> parameters = {}) {
  STkRenderCmdDesc d;
  d.name = "c";
  d.cmd = type;
  d.inputs = std::move(inputs);
  d.outputs = std::move(outputs);
  d.parameters = std::move(parameters);
  return d;
}

class RendererCmdsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disableMessageBoxes();
    SysSetup setup;
    setup.width = 1280;
    setup.height = 720;
    ASSERT_EQ(tkSysSetup(setup), 0);
    manager = tkEngine().manager;
    renderers = manager->getRendererManager();
    ASSERT_TRUE(renderers->createRenderTargets(12));
    ASSERT_TRUE(renderers->targets().create("Tex", {64, 32}, irr::video::ECF_A8R8G8B8, false, false));
    test::RuntimeBaseDirectory runtime;
    context = renderers->createRendererCtxAdv(manager->getRenderServices(), manager->getEffectManager(), ctxAdvFiles(false));
    ASSERT_TRUE(context);
    ASSERT_EQ(LoadEffect(folder.write("copy.fx", kEffectSource).c_str(), 1), 0);
    effect = getEffect(1);
  }
  void TearDown() override {
    if (context) context->drop();
    tkSysShutdown();
  }

  CTkRendererCmds* build(const std::vector<STkRenderCmdDesc>& list) {
    return renderers->createRendererCmds(context, manager->getRenderServices(), manager->getVideoDriverExt(), list);
  }
  STkRenderCmdParam shader() const {
    STkRenderCmdParam p;
    p.name = "Shader";
    p.kind = RP_EFFECT;
    p.effect = effect;
    return p;
  }
  // A Shader command reading and writing the same set.
  STkRenderCmdDesc shaderOver(const char* set, std::vector<STkRenderCmdParam> extra = {}) const {
    extra.push_back(shader());
    return command("Shader", {{"s0", set}}, {{"Color0", set}}, extra);
  }

  test::TempFolder folder;
  CTkManager* manager = nullptr;
  CTkRendererManager* renderers = nullptr;
  CTkRendererCtxAdv* context = nullptr;
  CTkEffect* effect = nullptr;
};

TEST(IndexedSlotNameTest, OnlyPlainNumbersBelowTheLimit) {
  struct Case {
    const char* name;
    const char* prefix;
    int limit;
    int index;  // -1: refused
  } cases[] = {
      {"s0", "s", 20, 0},          {"s19", "s", 20, 19},         {"s20", "s", 20, -1},
      {"s-1", "s", 20, -1},        {"s", "s", 20, -1},           {"s+1", "s", 20, -1},
      {"s1x", "s", 20, -1},        {"S1", "s", 20, -1},          {"s 1", "s", 20, -1},
      {"Color4", "Color", 5, 4},   {"Color5", "Color", 5, -1},   {"Color9", "Color", 5, -1},
      {"Color-1", "Color", 5, -1}, {"Color99999999999", "Color", 5, -1},
  };
  for (const Case& c : cases) {
    int index = -1;
    EXPECT_EQ(parseIndexedSlotName(c.name, c.prefix, c.limit, &index), c.index >= 0) << c.name;
    if (c.index >= 0) { EXPECT_EQ(index, c.index) << c.name; }
  }
}

TEST_F(RendererCmdsTest, SetUpRefusesBadListsWithTheirMessages) {
  struct Case {
    std::vector<STkRenderCmdDesc> list;
    const char* message;  // empty: the renderer is built
  } cases[] = {
      {{command("Blit", {}, {{"Color0", "Display"}})}, "CTkRendererCmds command 'Blit' is not supported"},
      {{command("clear", {}, {{"Color0", "Display"}})}, "CTkRendererCmds command 'clear' is not supported"},
      {{command("Clear", {}, {})}, "Missing output for command 'c' "},
      {{command("Clear", {}, {{"Color0", "Nowhere"}})},
       "failed find texture 'Nowhere' for output 'Color0' of command 'c' "},
      {{command("Shader", {{"s0", "Display"}}, {{"Color0", "Display"}})},
       "failed find texture 'Display' for input 's0' of command 'c' "},
      {{command("Shader", {{"s0", "Pong[]"}}, {{"Color0", "Display"}})},
       "Failed to find flip flop textures 'Pong[]' for input 's0' of command 'c' "},
      {{command("Shader", {{"s-1", "Tex"}}, {{"Color0", "Display"}})}, "Invalid name of input 's-1' of command 'c' "},
      {{command("Shader", {{"s20", "Tex"}}, {{"Color0", "Display"}})}, "Invalid name of input 's20' of command 'c' "},
      {{command("Shader", {{"s0", "Tex"}}, {{"Color9", "Display"}})},
       "Invalid name of output 'Color9' of command 'c' "},
      {{command("Render Objects", {}, {{"Color-1", "Tex"}}, {integer("RenderList", 0)})},
       "Invalid name of output 'Color-1' of command 'c' "},
      {{command("Render Objects", {}, {{"Color0", "Tex"}}, {integer("RenderList", 7)})},
       "Missing node list of command 'c' "},
      {{command("Render Objects", {}, {{"Color0", "Tex"}})}, "Missing node list of command 'c' "},
      {{command("Gamma", {}, {{"Color0", "Tex"}})}, "Missing input for command 'c' "},
      {{command("Glow", {{"Source", "Tex"}}, {})}, "Missing output for command 'c' "},
      {{command("Post Processing", {{"Source", "Tex"}}, {})}, "Missing output for command 'c' "},
      {{command("Light Volumetric", {}, {})}, "Missing output for command 'c' "},
      {{command("Create Texture", {}, {})}, ""},
      {{command("Shader", {{"s19", "Tex"}, {"s3", "HalfScreen[1:0-2]"}}, {{"Color4", "Tex"}, {"Color0", "Display"}})},
       ""},
      {{command("Depth of Field", {{"Source", "Tex"}, {"Other", "Missing"}}, {{"Color0", "Display"}})},
       "failed find texture 'Missing' for input 'Other' of command 'c' "},
      {{command("Light Pass", {}, {{"Color0", "LightRTT"}}), command("Antialias", {{"Source", "Tex"}},
                                                                    {{"Color0", "Display"}})},
       ""},
  };
  for (const Case& c : cases) {
    test::CapturedStdout out;
    CTkRendererCmds* renderer = build(c.list);
    const std::string printed = out.take();
    EXPECT_EQ(renderer != nullptr, *c.message == 0) << c.message << printed;
    if (*c.message) { EXPECT_NE(printed.find(std::string("ERROR : ") + c.message), std::string::npos) << printed; }
    if (renderer) renderer->drop();
  }
}

TEST_F(RendererCmdsTest, AListOfTexturesOnlyDrawsNothing) {
  CTkRendererCmds* renderer = build({command("Create Texture", {}, {}, {text("Name", "Tex")})});
  ASSERT_TRUE(renderer);
  EXPECT_EQ(renderer->commandCount(), 0u);
  renderer->render(nullptr);
  renderer->drop();
}

// Surfaces under a command renderer are drawn as under the light pre-pass
// renderer; the complaint names the command renderer.
TEST_F(RendererCmdsTest, MaterialEffectsAreThePrePassOnes) {
  CTkRendererCmds* renderer = build({});
  ASSERT_TRUE(renderer);
  std::string file;
  ShaderMacroList macros;
  int capacity = 2;
  EXPECT_TRUE(renderer->getMaterialEffect(&file, &macros, &capacity, 13));
  EXPECT_EQ(file, "Forward.hlsl");
  EXPECT_EQ(macros, (ShaderMacroList{{"USE_OUTDEPTH", ""}}));
  capacity = 1;
  test::CapturedStdout out;
  EXPECT_FALSE(renderer->getMaterialEffect(&file, &macros, &capacity, 0));
  EXPECT_NE(out.take().find("ERROR : CTkRendererCmds::getMaterialEffect not enough space for macros"),
            std::string::npos);
  renderer->drop();
}

// A command whose output names the set it reads moves the set on by one: the
// next command reads what it wrote. Rotations start from 0 every frame unless
// the set's texture asks to keep them.
TEST_F(RendererCmdsTest, SharedSetsAdvanceOncePerCommandAndResetPerFrame) {
  struct Case {
    std::vector<STkRenderCmdDesc> list;
    int afterFirstFrame, afterSecondFrame;
  } cases[] = {
      {{shaderOver("HalfScreen[0-2]")}, 1, 1},
      {{shaderOver("HalfScreen[0-2]"), shaderOver("HalfScreen[0-2]")}, 2, 2},
      {{shaderOver("HalfScreen[0-2]"),
        command("Create Texture", {}, {}, {text("Name", "HalfScreen[0-2]"), integer("DoNotReset", 1)})},
       1, 2},
      {{command("Shader", {{"s0", "Tex"}}, {{"Color0", "HalfScreen[0-2]"}}, {shader()})}, 0, 0},
      // Gamma without "When" always encodes: into the next member.
      {{command("Gamma", {{"Source", "HalfScreen[0-2]"}}, {{"Color0", "HalfScreen[0-2]"}})}, 1, 1},
      // With "When" and no colour-space viewer the picture passes through, staying where it is.
      {{command("Gamma", {{"Source", "HalfScreen[0-2]"}}, {{"Color0", "HalfScreen[0-2]"}}, {integer("When", 1)})},
       0, 0},
  };
  for (const Case& c : cases) {
    CTkRendererCmds* renderer = build(c.list);
    ASSERT_TRUE(renderer);
    FlipFlopSet* set = renderer->flipFlops().findSet("HalfScreen[0-2]");
    ASSERT_TRUE(set);
    renderer->render(nullptr);
    EXPECT_EQ(set->rotation, c.afterFirstFrame) << c.list.size();
    renderer->render(nullptr);
    EXPECT_EQ(set->rotation, c.afterSecondFrame) << c.list.size();
    renderer->drop();
  }
}

// Post Processing that cannot run as asked says so every frame; reading the
// texture it would write, it leaves the chain alone.
TEST_F(RendererCmdsTest, PostProcessingProblemsAreLoggedEachFrame) {
  ASSERT_TRUE(renderers->targets().create("Work", {64, 32}, irr::video::ECF_A8R8G8B8, false, false));
  context->setPostEffects({effect});
  const std::string chainRefused = "CTkPostChain: cannot set second flipflop texture";
  struct Case {
    Connections inputs;
    const char* output;
    const char* message;  // empty: none
  } cases[] = {
      {{{"Source", "Tex"}}, "Tex", "CTkRenderCmd_PostProc command 'c' : Failed. when source=target need to use a work texture"},
      {{{"Source", "Tex"}}, "Display",
       "CTkRenderCmd_PostProc command 'c' : Failed. when output is Display, need to use flipflop texture([]) as source "
       "or set a Work"},
      {{{"Source", "HalfScreen[]"}}, "Display", ""},
      {{{"Source", "Tex"}, {"Work", "Work"}}, "Tex", ""},
      {{{"Source", "HalfScreen[]"}}, "HalfScreen[]", ""},
  };
  for (const Case& c : cases) {
    CTkRendererCmds* renderer = build({command("Post Processing", c.inputs, {{"Color0", c.output}})});
    ASSERT_TRUE(renderer) << c.message;
    for (int frame = 0; frame < 2; ++frame) {
      test::CapturedStdout out;
      renderer->render(nullptr);
      const std::string printed = out.take();
      if (*c.message) EXPECT_NE(printed.find(c.message), std::string::npos) << printed;
      else EXPECT_EQ(printed.find("ERROR"), std::string::npos) << printed;
      // Source and output one texture: the chain is not even tried.
      if (c.inputs.size() == 1 && c.inputs[0].reference == c.output) {
        EXPECT_EQ(printed.find(chainRefused), std::string::npos) << printed;
      }
    }
    renderer->drop();
  }
  context->setPostEffects({});
}

// "UseStartEnd" 2 runs once when the time passes StartTime, in either
// direction, and again after a seek back; 1 runs inside [Start, End).
TEST_F(RendererCmdsTest, ShaderTimeWindows) {
  struct Frame {
    irr::u32 timeMs;
    bool once, window;
  } frames[] = {
      {0, false, false},    {2000, false, false}, {3500, true, true},   {4000, false, true},
      {4500, false, false}, {1000, true, false},  {1500, false, false}, {3000, false, true},
      {3200, true, true},
  };
  CTkRendererCmds* once = build({shaderOver("Ping[]", {integer("UseStartEnd", 2), number("StartTime", 3.0f)})});
  CTkRendererCmds* window = build({shaderOver(
      "HalfScreen[0-2]", {integer("UseStartEnd", 1), number("StartTime", 3.0f), number("EndTime", 4.5f)})});
  ASSERT_FALSE(once);  // no Ping[0] and Ping[1] yet
  ASSERT_TRUE(renderers->targets().create("Ping[0]", {8, 8}, irr::video::ECF_A8R8G8B8, false, false));
  ASSERT_TRUE(renderers->targets().create("Ping[1]", {8, 8}, irr::video::ECF_A8R8G8B8, false, false));
  once = build({shaderOver("Ping[]", {integer("UseStartEnd", 2), number("StartTime", 3.0f)})});
  ASSERT_TRUE(once && window);
  CTkLastFrameInfo* lastFrame = renderers->getLastFrameInfo();
  lastFrame->invalidate();
  for (const Frame& f : frames) {
    manager->getSceneManager()->setCurrentTime(f.timeMs);
    once->render(nullptr);
    window->render(nullptr);
    EXPECT_EQ(once->flipFlops().findSet("Ping[0-1]")->rotation, f.once ? 1 : 0) << f.timeMs;
    EXPECT_EQ(window->flipFlops().findSet("HalfScreen[0-2]")->rotation, f.window ? 1 : 0) << f.timeMs;
    lastFrame->endFrame();
  }
  once->drop();
  window->drop();
}

}  // namespace
}  // namespace tk
