// Which effects of a post chain run and which buffer holds the result, on the
// null driver (the drawing itself is checked under X).
#include "render/post_chain.h"

#include "api/effect_commands.h"
#include "effects/runtime/effect.h"
#include "render/tk_manager.h"
#include "tests/api/commands_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

std::string effectSource(const std::string& header) {
  return "// [TESK_BEGIN]\n" + header +
         "// [TESK_END]\n"
         "sampler2D Scene : register(s0);\n"
         "float4 vs_main(float4 p : POSITION) : POSITION { return p; }\n"
         "float4 ps_main(float2 uv : TEXCOORD0) : COLOR { return tex2D(Scene, uv); }\n";
}

class PostChainTest : public test::EngineCommandsTest {
 protected:
  void SetUp() override {
    test::EngineCommandsTest::SetUp();
    CTkRendererManager* renderers = tkEngine().manager->getRendererManager();
    targets = &renderers->targets();
    const irr::core::dimension2du size(64, 32);
    source = targets->create("X", size, irr::video::ECF_A8R8G8B8, false, false);
    work = targets->create("W", size, irr::video::ECF_A8R8G8B8, false, false);
    target = targets->create("T", size, irr::video::ECF_A8R8G8B8, false, false);
    own = targets->create("Own", size, irr::video::ECF_A8R8G8B8, false, false);
    chain = std::make_unique<CTkPostChain>(tkEngine().manager->getRenderServices(), targets);
    plain = load(0, "");
    solid = load(1, "// config render : SolidPost\n");
    ownTarget = load(2, "// config rendertarget : Own\n");
    glow = load(3, "// texture Glow : GlowRTT : preset\n");
    intoSource = load(4, "// config rendertarget : X\n");
    intoWork = load(5, "// config rendertarget : W\n");
  }
  void TearDown() override {
    chain.reset();
    test::EngineCommandsTest::TearDown();
  }
  CTkEffect* load(int id, const std::string& header) {
    std::string path = folder.write("fx" + std::to_string(id) + ".fx", effectSource(header));
    EXPECT_EQ(LoadEffect(path.c_str(), id), 0) << failure();
    return getEffect(id);
  }

  test::TempFolder folder;
  RenderTargetRegistry* targets = nullptr;
  irr::video::ITexture *source = nullptr, *work = nullptr, *target = nullptr, *own = nullptr;
  std::unique_ptr<CTkPostChain> chain;
  CTkEffect *plain = nullptr, *solid = nullptr, *ownTarget = nullptr, *glow = nullptr;
  CTkEffect *intoSource = nullptr, *intoWork = nullptr;
};

TEST_F(PostChainTest, ResultBufferFollowsThePingPongAndTheCopyBack) {
  using Effects = std::vector<CTkEffect*>;
  struct Case {
    Effects effects;
    irr::video::ITexture *target, *work;
    bool copyBack;
    irr::video::ITexture* result;
  };
  const Case cases[] = {
      {{}, nullptr, nullptr, false, source},                    // no effects: the source
      {{plain}, nullptr, work, false, work},                    // one draw lands in the second buffer
      {{plain, plain}, nullptr, work, false, source},           // two come back
      {{plain}, source, work, false, source},                   // a target equal to the source is copied back
      {{plain}, target, work, false, target},                   // a distinct target is the second buffer
      {{plain, plain}, target, work, false, source},            // ... not copied into without copy-back
      {{plain, plain}, target, work, true, target},             // ... copied into with it
      {{ownTarget}, nullptr, work, false, source},              // its own target: the current buffer stays
      {{ownTarget, plain}, nullptr, work, false, work},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    chain->setPostEffects(c.effects);
    EXPECT_EQ(chain->render(c.target, source, c.work, nullptr, c.copyBack, false), c.result) << "case " << i;
  }
}

TEST_F(PostChainTest, NamedCallsRunOnlyTheEffectsAnnotatedSo) {
  chain->setPostEffects({plain, solid});
  EXPECT_EQ(chain->render(nullptr, source, work, "solidpost", false, false), work);  // case ignored
  chain->setPostEffects({solid});
  EXPECT_EQ(chain->render(nullptr, source, work, nullptr, false, false), source);
  EXPECT_EQ(chain->render(nullptr, source, work, "lightpost", false, false), source);
}

TEST_F(PostChainTest, GlowEffectsNeedGlowAndReadTheGlowResult) {
  chain->setPostEffects({glow});
  EXPECT_EQ(chain->render(nullptr, source, work, nullptr, false, false), source);
  EXPECT_EQ(chain->render(nullptr, source, work, nullptr, false, true), work);
  irr::video::ITexture* half =
      targets->create("HalfScreen[1]", {32, 16}, irr::video::ECF_A8R8G8B8, false, false);
  chain->render(nullptr, source, work, nullptr, false, true);
  EXPECT_EQ(glow->parameter(glow->getParameterIndex("Glow"))->sampler.texture, half);
}

TEST_F(PostChainTest, WithoutASecondBufferTheSourceIsKept) {
  chain->setPostEffects({plain});
  setLogThreshold(LOG_ERROR);
  test::CapturedStdout out;
  EXPECT_EQ(chain->render(source, source, nullptr, nullptr, true, false), source);
  EXPECT_NE(out.take().find("ERROR : CTkPostChain: cannot set second flipflop texture"), std::string::npos);
}

// An effect whose own target is the picture it would read is skipped with a
// message; the same target while the picture is elsewhere is drawn into.
TEST_F(PostChainTest, AnOwnTargetThatIsTheCurrentPictureIsSkipped) {
  using Effects = std::vector<CTkEffect*>;
  struct Case {
    Effects effects;
    const char* skipped;  // the effect's file named in the message, or none
  } cases[] = {
      {{intoSource}, "fx4.fx"},
      {{plain, intoSource}, nullptr},
      {{intoWork}, nullptr},
      {{plain, intoWork}, "fx5.fx"},
  };
  setLogThreshold(LOG_ERROR);
  for (const Case& c : cases) {
    chain->setPostEffects(c.effects);
    test::CapturedStdout out;
    chain->render(nullptr, source, work, nullptr, false, false);
    const std::string printed = out.take();
    const size_t at = printed.find("ERROR : CTkPostChain: effect '");
    EXPECT_EQ(at != std::string::npos, c.skipped != nullptr) << printed;
    if (c.skipped) { EXPECT_NE(printed.find(c.skipped, at), std::string::npos) << printed; }
  }
}

TEST_F(PostChainTest, TheChainHoldsItsOwnReferences) {
  chain->setPostEffects({plain, plain});
  EXPECT_EQ(plain->getReferenceCount(), 3);
  chain->setPostEffects({plain});  // replacing a list by one that shares it
  EXPECT_EQ(plain->getReferenceCount(), 2);
  chain->setPostEffects({});
  EXPECT_EQ(plain->getReferenceCount(), 1);
}

}  // namespace
}  // namespace tk
