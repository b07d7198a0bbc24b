// SMAA's set-up on the null driver: the context makes it only with
// anti-aliasing on, and loading its tables leaves the texture creation flags
// as they were. (Missing or wrongly sized parts: post_components_init_test.)
#include <gtest/gtest.h>

#include "render/post/post_antialias.h"
#include "render/post/post_smaa.h"
#include "tests/render/post/post_context_fixture.h"

namespace tk {
namespace {

using PostSmaaTest = test::PostContextTest;

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

}  // namespace
}  // namespace tk
