// The advanced context's post-processing files: a missing or broken one
// fails the context with its component's message; without anti-aliasing set
// up the anti-aliasing files are not read.
#include <gtest/gtest.h>

#include <string>

#include "base/log.h"
#include "render/post/post_smaa.h"
#include "tests/render/post/post_context_fixture.h"

namespace tk {
namespace {

using PostComponentsInitTest = test::PostContextTest;

// A grey PNG of the given size.
std::string grey(const std::string& path, int width, int height) {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(width, height));
  image->fill(irr::video::SColor(255, 128, 128, 128));
  const bool written = driver->writeImageToFile(image, path.c_str());
  image->drop();
  EXPECT_TRUE(written) << path;
  return path;
}

TEST_F(PostComponentsInitTest, AMissingOrBrokenFileFailsTheContextWithItsComponentsMessage) {
  setLogThreshold(LOG_ERROR);
  const std::string missing = folder.path() + "/missing.hlsl";
  const std::string badHeader = folder.write("bad_header.hlsl", "// [TESK_BEGIN]\n// float4 tint\n// [TESK_END]\n");
  const std::string badCode = folder.write("bad_code.hlsl", "float4 ps_main( : COLOR { return 1; }\n");
  const std::string missingTable = folder.path() + "/none.png";
  const std::string squareArea = grey(folder.path() + "/area.png", 128, 128);
  const std::string wideSearch = grey(folder.path() + "/search.png", 16, 5);
  struct Case {
    bool antialias;
    int position;
    std::string file;
    std::string message;  // empty: the context is made
  } cases[] = {
      {false, -1, "", ""},
      {true, -1, "", ""},
      // the G-buffer clear
      {false, kCtxAdvDepthClear, missing, "CTkPostEffect failed to load " + missing},
      // glow
      {false, kCtxAdvGlowAlphaMul, missing, "CTkPostGlow failed to load " + missing},
      {false, kCtxAdvGlowAlphaMul, badHeader, "CTkPostGlow failed to load " + badHeader},
      {false, kCtxAdvGaussianBlur, missing, "CTkPostEffect failed to load " + missing},
      {false, kCtxAdvDownSampleBlur, badHeader, "CTkPostEffect failed to load " + badHeader},
      {false, kCtxAdvComposeUpSample, missing, "CTkPostEffect failed to load " + missing},
      {false, kCtxAdvStreakMaxInt, missing, "CTkPostEffect failed to load " + missing},
      {false, kCtxAdvStreakDraw, badHeader, "CTkPostEffect failed to load " + badHeader},
      // depth of field and gamma
      {false, kCtxAdvDof, badHeader, "CTkPostEffect failed to load " + badHeader},
      {false, kCtxAdvDofCocPhysical, badCode, "CTkPostEffect failed to load " + badCode},
      {false, kCtxAdvDofCocArtist, missing, "CTkPostEffect failed to load " + missing},
      {false, kCtxAdvGamma, missing, "CTkPostEffect failed to load " + missing},
      // the engine's anti-aliasing, read only when it is set up
      {true, kCtxAdvBlendAntialias, missing, "CTkPostAntialias failed to load " + missing},
      {true, kCtxAdvBlendAntialias, badCode, "CTkPostAntialias failed to load " + badCode},
      {false, kCtxAdvBlendAntialias, missing, ""},
      // SMAA: tables missing or of the wrong size, its effects
      {true, kCtxAdvSmaaAreaTex, missingTable, "CTkPostSMAA failed to load " + missingTable},
      {true, kCtxAdvSmaaAreaTex, squareArea, "CTkPostSMAA failed to load " + squareArea},
      {true, kCtxAdvSmaaSearchTex, wideSearch, "CTkPostSMAA failed to load " + wideSearch},
      {true, kCtxAdvSmaaWeights, missing, "CTkPostEffect failed to load " + missing},
      {true, kCtxAdvGamma, missing, "CTkPostEffect failed to load " + missing},
      {false, kCtxAdvSmaaSearchTex, missingTable, ""},
  };
  for (const Case& c : cases) {
    const std::string name = std::to_string(c.antialias) + " " + std::to_string(c.position) + " " + c.file;
    std::string logged;
    CTkRendererCtxAdv* context = makeContext(files(c.antialias, c.position, c.file), &logged);
    if (c.message.empty()) {
      ASSERT_TRUE(context) << name << logged;
      EXPECT_TRUE(context->glow() && context->downSample() && context->depthOfField() && context->gamma() &&
                  context->depthClear())
          << name;
      EXPECT_EQ(context->antialias() != nullptr, c.antialias) << name;
      EXPECT_EQ(context->smaa() != nullptr, c.antialias) << name;
      context->drop();
    } else {
      EXPECT_FALSE(context) << name;
      EXPECT_NE(logged.find("ERROR : " + c.message), std::string::npos) << name << logged;
      if (context) context->drop();
    }
  }
}

}  // namespace
}  // namespace tk
