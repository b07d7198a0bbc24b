// The engine context's render targets, flip-flop sets and technique numbers, on the null driver.
#include <gtest/gtest.h>

#include "base/log.h"
#include "effects/runtime/effect_tech_lookup.h"
#include "render/engine.h"
#include "render/flip_flop_sets.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

TEST(FlipFlopReferenceTest, Grammar) {
  struct Case {
    const char* text;
    bool isSet;
    const char* canonical;
    int count, phase;
  } cases[] = {
      {"Ping[]", true, "Ping[0-1]", 2, 0},      {"Ping[0-1]", true, "Ping[0-1]", 2, 0},
      {"Ping[1:0-1]", true, "Ping[0-1]", 2, 1}, {"HalfScreen[0-2]", true, "HalfScreen[0-2]", 3, 0},
      {"HalfScreen[1]", false, "", 0, 0},       {"A[12]", false, "", 0, 0},
      {"Plain", false, "", 0, 0},               {"Open[0-1", false, "", 0, 0},
      {"Bad[x-y]", false, "", 0, 0},            {"Back[3-1]", false, "", 0, 0},
  };
  for (const Case& c : cases) {
    FlipFlopReference r;
    ASSERT_EQ(parseFlipFlopReference(c.text, &r), c.isSet) << c.text;
    if (!c.isSet) continue;
    EXPECT_EQ(r.canonicalName, c.canonical) << c.text;
    EXPECT_EQ(r.count, c.count) << c.text;
    EXPECT_EQ(r.phase, c.phase) << c.text;
  }
}

TEST(FlipFlopTableTest, ReferencesShareASetAndPhaseSelectsTheMember) {
  irr::video::ITexture* a = reinterpret_cast<irr::video::ITexture*>(0x10);
  irr::video::ITexture* b = reinterpret_cast<irr::video::ITexture*>(0x20);
  FlipFlopTable table([&](const std::string& name) -> irr::video::ITexture* {
    if (name == "Ping[0]") return a;
    if (name == "Ping[1]") return b;
    return nullptr;
  });
  FlipFlopReference plain, shifted, missing;
  parseFlipFlopReference("Ping[]", &plain);
  parseFlipFlopReference("Ping[1:0-1]", &shifted);
  parseFlipFlopReference("Pong[]", &missing);
  FlipFlopSet* set = table.setFor(plain);
  ASSERT_TRUE(set);
  EXPECT_EQ(table.setFor(shifted), set);
  EXPECT_EQ(set->resolve(plain.phase), a);
  EXPECT_EQ(set->resolve(shifted.phase), b);
  set->advance();
  EXPECT_EQ(set->resolve(0), b);
  set->advance();
  EXPECT_EQ(set->resolve(0), a);
  EXPECT_EQ(set->resolve(-3), b);
  EXPECT_EQ(table.setFor(missing), nullptr);
}

TEST(TechLookupTest, FixedAndRegisteredNumbers) {
  CTkEffectTechLookup* lookup = new CTkEffectTechLookup();
  EXPECT_EQ(lookup->findTechnique("depth"), 0);
  EXPECT_EQ(lookup->findTechnique("shadow"), 1);
  EXPECT_EQ(lookup->findTechnique("glow"), -1);
  EXPECT_EQ(lookup->registerTechnique("glow"), 2);
  EXPECT_EQ(lookup->registerTechnique("alpha"), 3);
  EXPECT_EQ(lookup->registerTechnique("glow"), 2);
  EXPECT_EQ(lookup->registerTechnique("shadow"), 1);
  EXPECT_EQ(lookup->findTechnique(""), -1);
  EXPECT_EQ(lookup->findTechnique(nullptr), -1);
  lookup->drop();
}

class RenderTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disableMessageBoxes();
    SysSetup setup;
    setup.width = 1280;
    setup.height = 720;
    ASSERT_EQ(tkSysSetup(setup), 0);
    renderers = tkEngine().manager->getRendererManager();
  }
  void TearDown() override { tkSysShutdown(); }

  static STkRenderCommandRecord createTexture(const char* name, int format, int size, int w, int h, int ownZ,
                                              int mip = -1) {
    STkRenderCommandRecord c;
    c.name = "MakeIt";
    c.cmd = "Create Texture";
    auto number = [&](const char* n, int v) {
      if (v == -1) return;
      RenderParameter p;
      p.name = n;
      p.integer = v;
      c.parameters.push_back(p);
    };
    if (name) {
      RenderParameter p;
      p.name = "Name";
      p.kind = RP_TEXT;
      p.text = name;
      c.parameters.push_back(p);
    }
    number("ColorFormat", format);
    number("Size", size);
    number("SizeWidth", w);
    number("SizeHeight", h);
    number("OwnZBuffer", ownZ);
    number("MipMap", mip);
    return c;
  }

  CTkRendererManager* renderers = nullptr;
};

TEST_F(RenderTargetTest, StartUpMakesTheDummyTargetAndADefaultRenderer) {
  EXPECT_TRUE(renderers->targets().find("DummyRenderTarget"));
  EXPECT_TRUE(rendering().defaultRenderer);
  EXPECT_EQ(rendering().currentRenderer, rendering().defaultRenderer);
}

TEST_F(RenderTargetTest, TheContextMakesSurfaces) {
  CTkSurfaceManager* surfaces = tkEngine().manager->getSurfaceManager();
  ASSERT_TRUE(surfaces);
  ITkSurface* surface = surfaces->createSurface("lightwave_hv");
  ASSERT_TRUE(surface);
  EXPECT_EQ(kTkSurfaceLightwaveHV, surface->getType());
  surface->drop();
}

TEST_F(RenderTargetTest, NamedTargetsHaveTheirSizesAndFormats) {
  ASSERT_TRUE(renderers->createRenderTargets(12));
  struct Case {
    const char* name;
    irr::u32 w, h;
    irr::video::ECOLOR_FORMAT format;
    bool ownDepth;
  } cases[] = {
      {"BackRTT[3]", 1280, 720, irr::video::ECF_A16B16G16R16F, false},
      {"DepthRTT", 1280, 720, irr::video::ECF_R32F, false},
      {"SixTeenthScreen[1]", 80, 45, irr::video::ECF_A16B16G16R16F, false},
      {"SixtyFourthScreen[0]", 20, 11, irr::video::ECF_A16B16G16R16F, false},
      {"EighthScreenR32F", 160, 90, irr::video::ECF_R32F, false},
      {"ShadowMap.512.1", 512, 512, irr::video::ECF_R32F, true},
  };
  for (const Case& c : cases) {
    const RenderTargetInfo* info = renderers->targets().find(c.name);
    ASSERT_TRUE(info) << c.name;
    EXPECT_EQ(info->size, irr::core::dimension2du(c.w, c.h)) << c.name;
    EXPECT_EQ(info->format, c.format) << c.name;
    EXPECT_EQ(info->ownDepth, c.ownDepth) << c.name;
  }
  EXPECT_EQ(renderers->shadowMaps().size(), 4u);
}

// A window too small for its sixty-fourth: every fraction keeps one pixel
// per axis, since the driver refuses a target of no pixels.
TEST_F(RenderTargetTest, ScreenFractionsOfSmallWindowsKeepAPixel) {
  ASSERT_TRUE(renderers->createRenderTargets(12, {64, 32}));
  struct Case {
    const char* name;
    irr::u32 w, h;
  } cases[] = {{"HalfScreen[0]", 32, 16}, {"ThirtyTwothScreen[0]", 2, 1}, {"SixtyFourthScreen[1]", 1, 1}};
  for (const Case& c : cases)
    EXPECT_EQ(renderers->targets().find(c.name)->size, irr::core::dimension2du(c.w, c.h)) << c.name;
}

TEST_F(RenderTargetTest, CreateTextureSizesAndFormats) {
  ASSERT_TRUE(renderers->createRenderTexture(createTexture("Small", 0, 6, 0, 0, 0)));
  const RenderTargetInfo* small = renderers->targets().find("Small");
  ASSERT_TRUE(small);
  EXPECT_EQ(small->size, irr::core::dimension2du(40, 22));
  EXPECT_EQ(small->format, irr::video::ECF_A8R8G8B8);  // no back targets yet
  ASSERT_TRUE(renderers->createRenderTexture(createTexture("Full", 7, 9, 0, 0, 1)));
  EXPECT_EQ(renderers->targets().find("Full")->size, irr::core::dimension2du(1280, 720));
  EXPECT_EQ(renderers->targets().find("Full")->format, irr::video::ECF_A16B16G16R16F);
  ASSERT_TRUE(renderers->createRenderTexture(createTexture("Fixed", 99, 0, 64, 32, 0)));
  EXPECT_EQ(renderers->targets().find("Fixed")->size, irr::core::dimension2du(64, 32));

  ASSERT_TRUE(renderers->createRenderTargets(12));
  ASSERT_TRUE(renderers->createRenderTexture(createTexture("LikeBack", 0, 1, 0, 0, 0)));
  EXPECT_EQ(renderers->targets().find("LikeBack")->format, irr::video::ECF_A16B16G16R16F);
}

TEST_F(RenderTargetTest, CreateTextureChecksInOrder) {
  ASSERT_TRUE(renderers->createRenderTexture(createTexture("T", 4, 0, 64, 64, 0)));
  struct Case {
    STkRenderCommandRecord command;
    bool ok;
    const char* message;
  } cases[] = {
      {createTexture("T", 4, 0, 64, 64, 0), true, ""},
      {createTexture("T", 4, 0, 64, 64, 0, 1), false,
       "ERROR : Create texture 'MakeIt' failed: texture 'T' already exist with different mip map configuration. "
       "Restart engine may be necessary"},
      {createTexture("T", 8, 0, 32, 32, 1), false,
       "ERROR : Create texture 'MakeIt' failed: texture 'T' already exist with different color format. Restart "
       "engine may be necessary"},
      {createTexture("T", 4, 0, 32, 32, 1), false,
       "ERROR : Create texture 'MakeIt' failed: texture 'T' already exist with different dimension. Restart engine "
       "may be necessary"},
      {createTexture("T", 4, 0, 64, 64, 1), false,
       "ERROR : Create texture 'MakeIt' failed: texture 'T' already exist with different own z-buffer.  Restart "
       "engine may be necessary"},
      {createTexture("T", 4, 1, -1, 64, 0), false, "ERROR : Create texture 'MakeIt' failed : missing parameters"},
      {createTexture(nullptr, 4, 1, 64, 64, 0), false, "ERROR : Create texture 'MakeIt' failed : missing parameters"},
  };
  for (Case& c : cases) {
    test::CapturedStdout out;
    EXPECT_EQ(renderers->createRenderTexture(c.command), c.ok) << c.message;
    std::string printed = out.take();
    if (*c.message) {
      EXPECT_NE(printed.find(c.message), std::string::npos) << printed;
    }
  }
  tkEngine().driver->addTexture(irr::core::dimension2du(4, 4), "Plain");
  test::CapturedStdout out;
  EXPECT_FALSE(renderers->createRenderTexture(createTexture("Plain", 4, 0, 4, 4, 0)));
  EXPECT_NE(out.take().find("texture 'Plain' already exist but is not a render target. Use another name"),
            std::string::npos);
}

}  // namespace
}  // namespace tk
