// The advanced context's gamma, depth-of-field and anti-aliasing files: a
// missing or broken one fails the context with the component's message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "render/engine.h"
#include "render/renderer_ctx_adv.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/runtime_base_directory.h"

namespace tk {
namespace {

class PostComponentsInitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disableMessageBoxes();
    SysSetup setup;
    setup.width = 320;
    setup.height = 180;
    ASSERT_EQ(tkSysSetup(setup), 0);
    manager = tkEngine().manager;
    ASSERT_TRUE(manager->getRendererManager()->createRenderTargets(12));
  }
  void TearDown() override { tkSysShutdown(); }

  CTkManager* manager = nullptr;
  test::TempFolder folder;
};

TEST_F(PostComponentsInitTest, AMissingOrBrokenFileFailsTheContext) {
  const std::string missing = folder.path() + "/missing.hlsl";
  const std::string badHeader = folder.write("bad_header.hlsl", "// [TESK_BEGIN]\n// float4 tint\n// [TESK_END]\n");
  const std::string badCode = folder.write("bad_code.hlsl", "float4 ps_main( : COLOR { return 1; }\n");
  struct Case {
    bool antialias;
    int position;
    std::string file;
    std::string message;  // empty: the context is made
  } cases[] = {
      {true, kCtxAdvBlendAntialias, missing, "CTkPostAntialias failed to load " + missing},
      {true, kCtxAdvBlendAntialias, badCode, "CTkPostAntialias failed to load " + badCode},
      {false, kCtxAdvBlendAntialias, missing, ""},
      {false, kCtxAdvDof, badHeader, "CTkPostEffect failed to load " + badHeader},
      {false, kCtxAdvDofCocPhysical, badCode, "CTkPostEffect failed to load " + badCode},
      {false, kCtxAdvDofCocArtist, missing, "CTkPostEffect failed to load " + missing},
      {false, kCtxAdvGamma, missing, "CTkPostEffect failed to load " + missing},
  };
  for (const Case& c : cases) {
    std::vector<std::string> files;
    {
      test::RuntimeBaseDirectory runtime;
      files = ctxAdvFiles(c.antialias);
    }
    files[c.position] = c.file;
    test::CapturedStdout out;
    CTkRendererCtxAdv* context = manager->getRendererManager()->createRendererCtxAdv(
        manager->getRenderServices(), manager->getEffectManager(), files);
    const std::string printed = out.take();
    const std::string name = std::to_string(c.position) + " " + c.file;
    if (c.message.empty()) {
      ASSERT_TRUE(context) << name << printed;
      EXPECT_FALSE(context->antialias()) << name;
      EXPECT_TRUE(context->depthOfField() && context->gamma()) << name;
      context->drop();
    } else {
      EXPECT_FALSE(context) << name;
      EXPECT_NE(printed.find("ERROR : " + c.message), std::string::npos) << name << printed;
      if (context) context->drop();
    }
  }
}

}  // namespace
}  // namespace tk
