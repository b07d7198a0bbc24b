// The Antialias and Depth of Field commands on the null driver: when they
// run, what they hand the components and what they say when they cannot.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "render/commands/renderer_cmds.h"
#include "render/engine.h"
#include "render/post/jitter.h"
#include "render/post/post_antialias.h"
#include "render/post/post_smaa_pass.h"
#include "render/renderer_ctx_adv.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/runtime_base_directory.h"

namespace tk {
namespace {

using Connections = std::vector<RenderConnection>;

// Records what anti-aliasing asks of SMAA.
class RecordingSmaa : public ITkPostSMAAPass {
 public:
  struct Call {
    irr::video::ITexture *target, *source, *work;
    bool toScreen, colorSpace;
  };
  bool ready() const override { return true; }
  void render(irr::video::ITexture* target, irr::video::ITexture* source, irr::video::ITexture* work,
              bool toScreen, bool colorSpace) override {
    calls.push_back({target, source, work, toScreen, colorSpace});
  }
  std::vector<Call> calls;
};

STkRenderCmdParam integer(const char* name, int value) {
  STkRenderCmdParam p;
  p.name = name;
  p.integer = value;
  return p;
}

STkRenderCmdDesc command(const char* type, Connections inputs, const char* output,
                         std::vector<STkRenderCmdParam> parameters = {}) {
  STkRenderCmdDesc d;
  d.name = "c";
  d.cmd = type;
  d.inputs = std::move(inputs);
  d.outputs = {{"Color0", output}};
  d.parameters = std::move(parameters);
  return d;
}

class PostCmdsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disableMessageBoxes();
    SysSetup setup;
    setup.width = 320;
    setup.height = 180;
    ASSERT_EQ(tkSysSetup(setup), 0);
    manager = tkEngine().manager;
    renderers = manager->getRendererManager();
    ASSERT_TRUE(renderers->createRenderTargets(12));
    for (const char* name : {"Src", "Work", "Hist", "Out", "Depth"})
      ASSERT_TRUE(renderers->targets().create(name, {32, 16}, irr::video::ECF_A8R8G8B8, false, false));
    test::RuntimeBaseDirectory runtime;
    context = renderers->createRendererCtxAdv(manager->getRenderServices(), manager->getEffectManager(),
                                              ctxAdvFiles(true));
    ASSERT_TRUE(context);
    ASSERT_TRUE(context->antialias());
    context->antialias()->setSmaaPass(&smaa);
  }
  void TearDown() override {
    if (context) context->drop();
    tkSysShutdown();
  }
  irr::video::ITexture* texture(const char* name) const { return renderers->targets().findTexture(name); }
  CTkRendererCmds* build(const std::vector<STkRenderCmdDesc>& list) {
    return renderers->createRendererCmds(context, manager->getRenderServices(), manager->getVideoDriverExt(), list);
  }
  // One frame of a list of one command; answers what it logged.
  std::string run(const STkRenderCmdDesc& desc, irr::video::ITexture* display = nullptr) {
    CTkRendererCmds* renderer = build({desc});
    EXPECT_TRUE(renderer);
    if (!renderer) return "";
    test::CapturedStdout out;
    renderer->render(display);
    renderer->drop();
    return out.take();
  }

  CTkManager* manager = nullptr;
  CTkRendererManager* renderers = nullptr;
  CTkRendererCtxAdv* context = nullptr;
  RecordingSmaa smaa;
};

const Connections kAntialiasInputs = {{"Source", "Src"}, {"Work", "Work"}, {"History", "Hist"}};

// SMAA runs for mode 1 where "When" and the location agree; the colour-space
// flag follows "SourceColorSpace".
TEST_F(PostCmdsTest, AntialiasRunsWhereWhenAndTheLocationAgree) {
  struct Case {
    int when, location, mode, sourceColorSpace, viewer;
    bool runs, colorSpace;
  } cases[] = {
      {0, 1, 1, 0, 0, true, false},  {0, 2, 1, 0, 0, true, false},  {1, 1, 1, 0, 0, true, false},
      {1, 2, 1, 0, 0, false, false}, {2, 2, 1, 0, 0, true, false},  {2, 1, 1, 0, 0, false, false},
      {3, 1, 1, 0, 0, false, false}, {-1, 1, 1, 0, 0, false, false}, {0, 1, 0, 0, 0, false, false},
      {0, 1, 1, 1, 0, true, true},   {0, 1, 1, 2, 1, true, true},   {0, 1, 1, 2, 0, true, false},
      {0, 1, 1, 3, 1, true, false},
  };
  for (const Case& c : cases) {
    STkRenderSettings& s = context->getRenderSettings();
    s.antialias[kAntialiasLocation] = c.location;
    s.antialias[kAntialiasMode] = c.mode;
    s.antialias[kAntialiasBlending] = 0;
    s.colorSpaceViewer = c.viewer;
    smaa.calls.clear();
    run(command("Antialias", kAntialiasInputs, "Out",
                {integer("When", c.when), integer("SourceColorSpace", c.sourceColorSpace)}));
    const std::string name = "When " + std::to_string(c.when) + ", location " + std::to_string(c.location) +
                             ", mode " + std::to_string(c.mode) + ", colour space " +
                             std::to_string(c.sourceColorSpace) + "/" + std::to_string(c.viewer);
    ASSERT_EQ(smaa.calls.size(), c.runs ? 1u : 0u) << name;
    if (!c.runs) continue;
    EXPECT_EQ(smaa.calls[0].target, texture("Out")) << name;
    EXPECT_EQ(smaa.calls[0].source, texture("Src")) << name;
    EXPECT_EQ(smaa.calls[0].work, texture("Work")) << name;
    EXPECT_FALSE(smaa.calls[0].toScreen) << name;
    EXPECT_EQ(smaa.calls[0].colorSpace, c.colorSpace) << name;
  }
}

// Onto the screen, anti-aliasing needs a second member of the source's set to
// work in; a plain texture is refused with a message, every frame.
TEST_F(PostCmdsTest, AntialiasOntoTheScreenWantsAFlipFlopSource) {
  context->getRenderSettings().antialias[kAntialiasMode] = 1;
  const std::string refused =
      "CTkRenderCmd_Antialias command 'c' : Failed. Use flipflop texture([]) as input when output is Display";
  EXPECT_NE(run(command("Antialias", kAntialiasInputs, "Display")).find(refused), std::string::npos);
  ASSERT_EQ(smaa.calls.size(), 1u);
  EXPECT_TRUE(smaa.calls[0].toScreen);

  smaa.calls.clear();
  const std::string printed =
      run(command("Antialias", {{"Source", "HalfScreen[]"}, {"Work", "Work"}, {"History", "Hist"}}, "Display"));
  EXPECT_EQ(printed.find("ERROR"), std::string::npos) << printed;
  ASSERT_EQ(smaa.calls.size(), 1u);
  EXPECT_EQ(smaa.calls[0].source, texture("HalfScreen[0]"));
  EXPECT_EQ(smaa.calls[0].target, texture("HalfScreen[1]"));
  EXPECT_TRUE(smaa.calls[0].toScreen);
}

// Temporal blending without a History input says so every frame; SMAA still runs.
TEST_F(PostCmdsTest, AntialiasBlendingWithoutHistorySaysSo) {
  STkRenderSettings& s = context->getRenderSettings();
  s.antialias[kAntialiasMode] = 1;
  const std::string refused = "CTkRenderCmd_Antialias command 'c' : Failed. temporal blending needs a History texture";
  for (int blending : {0, 1}) {
    s.antialias[kAntialiasBlending] = blending;
    smaa.calls.clear();
    const std::string printed = run(command("Antialias", {{"Source", "Src"}, {"Work", "Work"}}, "Out"));
    EXPECT_EQ(printed.find(refused) != std::string::npos, blending != 0) << printed;
    EXPECT_EQ(smaa.calls.size(), 1u) << blending;
  }
}

// Depth of field needs somewhere to keep its circle of confusion: without a
// Depth or a Work texture it says so and the picture passes through.
TEST_F(PostCmdsTest, DepthOfFieldWithoutItsTexturesSaysSo) {
  context->getRenderSettings().dofEnable = 1;
  const std::string refused =
      "CTkRenderCmd_DepthOfField command 'c' : Failed. needs a Source, a Depth and a Work texture";
  struct Case {
    Connections inputs;
    bool refused;
  } cases[] = {
      {{{"Source", "Src"}, {"Depth", "Depth"}, {"Work", "Work"}}, false},
      {{{"Source", "Src"}, {"Work", "Work"}}, true},
      {{{"Source", "Src"}, {"Depth", "Depth"}}, true},
      {{{"Source", "Src"}, {"Depth", "Depth"}, {"Work", "Src"}}, true},
  };
  for (const Case& c : cases) {
    const std::string printed = run(command("Depth of Field", c.inputs, "Out"));
    EXPECT_EQ(printed.find(refused) != std::string::npos, c.refused) << printed;
  }
}

// Screen frames with a jitter setting count as the command renderers' next
// jittered frame; frames into a texture and frames without jitter do not.
// The camera's plain projection is back after every frame.
TEST_F(PostCmdsTest, JitteredScreenFramesAreCountedAndTheProjectionRestored) {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  CTkRendererCmds* renderer = build({command("Antialias", kAntialiasInputs, "Out")});
  ASSERT_TRUE(renderer);
  renderer->render(nullptr);
  const irr::core::matrix4 plain = driver->getTransform(irr::video::ETS_PROJECTION);
  struct Case {
    int jitter;
    bool intoTexture;
    irr::u32 counted;
  } cases[] = {{1, false, 1}, {4, false, 1}, {0, false, 0}, {1, true, 0}};
  for (const Case& c : cases) {
    context->getRenderSettings().antialias[kAntialiasJitter] = c.jitter;
    const irr::u32 before = nextJitterFrame(EJitterCounter::CommandRenderers);
    renderer->render(c.intoTexture ? texture("Out") : nullptr);
    EXPECT_EQ(nextJitterFrame(EJitterCounter::CommandRenderers), before + 1 + c.counted)
        << "jitter " << c.jitter << (c.intoTexture ? " into a texture" : "");
    EXPECT_EQ(driver->getTransform(irr::video::ETS_PROJECTION), plain) << "jitter " << c.jitter;
  }
  renderer->drop();
}

}  // namespace
}  // namespace tk
