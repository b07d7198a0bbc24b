// SMAA's set-up on the null driver: the context makes it only with
// anti-aliasing on, and a missing or wrongly sized table or a missing effect
// fails the context with SMAA's message.
#include <gtest/gtest.h>

#include "base/log.h"
#include "render/engine.h"
#include "render/post/post_antialias.h"
#include "render/post/post_smaa.h"
#include "render/renderer_ctx_adv.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/runtime_base_directory.h"

namespace tk {
namespace {

class PostSmaaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disableMessageBoxes();
    SysSetup setup;
    setup.width = 320;
    setup.height = 180;
    ASSERT_EQ(tkSysSetup(setup), 0);
    manager = tkEngine().manager;
    ASSERT_TRUE(manager->getRendererManager()->createRenderTargets(4));
  }
  void TearDown() override { tkSysShutdown(); }

  CTkRendererCtxAdv* makeContext(const std::vector<std::string>& files) {
    return manager->getRendererManager()->createRendererCtxAdv(manager->getRenderServices(),
                                                               manager->getEffectManager(), files);
  }
  // A grey PNG of the given size.
  std::string picture(const char* name, int width, int height) {
    irr::video::IVideoDriver* driver = tkEngine().driver;
    irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(width, height));
    image->fill(irr::video::SColor(255, 128, 128, 128));
    const std::string path = folder.path() + "/" + name;
    const bool written = driver->writeImageToFile(image, path.c_str());
    image->drop();
    EXPECT_TRUE(written);
    return path;
  }

  test::RuntimeBaseDirectory runtime;
  test::TempFolder folder;
  CTkManager* manager = nullptr;
};

TEST_F(PostSmaaTest, MadeWithAntialiasingOnlyReadyAndHandedToTheEngineAntialiasing) {
  CTkRendererCtxAdv* off = makeContext(ctxAdvFiles(false));
  ASSERT_TRUE(off);
  EXPECT_EQ(off->smaa(), nullptr);
  off->drop();

  CTkRendererCtxAdv* on = makeContext(ctxAdvFiles(true));
  ASSERT_TRUE(on);
  ASSERT_TRUE(on->smaa());
  EXPECT_TRUE(on->smaa()->ready());
  EXPECT_TRUE(on->smaa()->areaTable() && on->smaa()->searchTable());
  // The engine's anti-aliasing runs this SMAA for its mode 1.
  ASSERT_TRUE(on->antialias());
  EXPECT_EQ(on->antialias()->smaaPass(), on->smaa());
  on->drop();
}

TEST_F(PostSmaaTest, LoadingTheTablesLeavesTheCreationFlagsAsTheyWere) {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, true);
  driver->setTextureCreationFlag(irr::video::ETCF_ALWAYS_16_BIT, true);
  CTkRendererCtxAdv* context = makeContext(ctxAdvFiles(true));
  ASSERT_TRUE(context);
  EXPECT_TRUE(driver->getTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS));
  EXPECT_TRUE(driver->getTextureCreationFlag(irr::video::ETCF_ALWAYS_16_BIT));
  EXPECT_FALSE(driver->getTextureCreationFlag(irr::video::ETCF_ALWAYS_32_BIT));
  context->drop();
}

TEST_F(PostSmaaTest, AMissingOrWronglySizedPartFailsTheContext) {
  struct Case {
    const char* name;
    int entry;
    std::string file;
    std::string message;
  };
  const std::string missingTable = folder.path() + "/none.png";
  const std::string squareArea = picture("area.png", 128, 128);
  const std::string wideSearch = picture("search.png", 16, 5);
  const std::string missingEffect = folder.path() + "/none.fx";
  const Case cases[] = {
      {"area table missing", kCtxAdvSmaaAreaTex, missingTable, "CTkPostSMAA failed to load " + missingTable},
      {"area table 128 x 128", kCtxAdvSmaaAreaTex, squareArea, "CTkPostSMAA failed to load " + squareArea},
      {"search table 16 x 5", kCtxAdvSmaaSearchTex, wideSearch, "CTkPostSMAA failed to load " + wideSearch},
      {"weight effect missing", kCtxAdvSmaaWeights, missingEffect, "CTkPostEffect failed to load " + missingEffect},
      {"gamma effect missing", kCtxAdvGamma, missingEffect, "CTkPostEffect failed to load " + missingEffect},
  };
  setLogThreshold(LOG_ERROR);
  for (const Case& c : cases) {
    std::vector<std::string> files = ctxAdvFiles(true);
    files[c.entry] = c.file;
    test::CapturedStdout out;
    CTkRendererCtxAdv* context = makeContext(files);
    const std::string log = out.take();
    EXPECT_EQ(context, nullptr) << c.name;
    if (context) context->drop();
    EXPECT_NE(log.find(c.message), std::string::npos) << c.name << " logged:\n" << log;
  }
}

}  // namespace
}  // namespace tk
