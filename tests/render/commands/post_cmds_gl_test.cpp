// The Gamma and Antialias commands of a command renderer on OpenGL, read back
// from float targets.
#include <gtest/gtest.h>

#include <cmath>

#include "render/commands/renderer_cmds.h"
#include "render/last_frame_info.h"
#include "render/post/post_settings.h"
#include "tests/render/post/post_gl_fixture.h"

namespace tk {
namespace {

using Connections = std::vector<RenderConnection>;

STkRenderCmdDesc command(const char* type, Connections inputs, Connections outputs, int when) {
  STkRenderCmdDesc d;
  d.name = "c";
  d.cmd = type;
  d.inputs = std::move(inputs);
  d.outputs = std::move(outputs);
  STkRenderCmdParam p;
  p.name = "When";
  p.integer = when;
  d.parameters.push_back(p);
  return d;
}

class PostCmdsGlTest : public test::PostGlTest {
 protected:
  CTkRendererCmds* build(const std::vector<STkRenderCmdDesc>& list) {
    return renderers->createRendererCmds(context, services, manager->getVideoDriverExt(), list);
  }
  void frame(CTkRendererCmds* renderer, irr::video::ITexture* display = nullptr) {
    beginFrame();
    renderer->render(display);
    endFrame();
    renderers->getLastFrameInfo()->endFrame();
  }
};

// Linear 0.5 encodes as 0.735; each pixel of a one-pixel checker stays where
// it was. With "When" the picture is only encoded for a scene viewed through
// the colour-space conversion.
TEST_F(PostCmdsGlTest, GammaEncodesInPlaceWhenAsked) {
  constexpr int kW = 8, kH = 4;
  picture("Checker", kW, kH, [](int x, int y) {
    return (x + y) % 2 ? irr::video::SColor(255, 0, 0, 0) : irr::video::SColor(255, 128, 128, 128);
  });
  irr::video::ITexture* out = floatTarget("GammaOut", kW, kH);
  struct Case {
    int when;
    int viewer;
    float grey;
  } cases[] = {{0, 0, 0.735f}, {0, 1, 0.735f}, {1, 0, 128 / 255.0f}, {1, 1, 0.735f}};
  for (const Case& c : cases) {
    context->getRenderSettings().colorSpaceViewer = c.viewer;
    CTkRendererCmds* renderer = build({command("Gamma", {{"s0", "Checker"}}, {{"Color0", "GammaOut"}}, c.when)});
    ASSERT_TRUE(renderer);
    frame(renderer);
    const test::FloatPicture p = read(out);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        EXPECT_NEAR(p.at(x, y).g, (x + y) % 2 ? 0.0f : c.grey, 0.01f)
            << "When " << c.when << ", viewer " << c.viewer << " at " << x << "," << y;
    renderer->drop();
  }
}

// Screen frames blend into the history; a frame rendered into an image shows
// its own picture and leaves the history as the screen left it.
TEST_F(PostCmdsGlTest, FramesIntoATextureLeaveTheHistoryAlone) {
  constexpr int kSize = 8;
  irr::video::ITexture* source = floatTarget("AaSrc", kSize, kSize);
  floatTarget("AaWork", kSize, kSize);
  irr::video::ITexture* history = floatTarget("AaHist", kSize, kSize);
  irr::video::ITexture* out = floatTarget("AaOut", kSize, kSize);
  irr::video::ITexture* image = floatTarget("Image", kSize, kSize);
  STkRenderSettings& settings = context->getRenderSettings();
  settings.antialias[kAntialiasMode] = 0;
  settings.antialias[kAntialiasBlending] = 1;
  settings.antialias[kAntialiasBlendingWeight] = 3;  // a quarter of the new picture
  CTkRendererCmds* renderer = build({command(
      "Antialias", {{"Source", "AaSrc"}, {"Work", "AaWork"}, {"History", "AaHist"}}, {{"Color0", "AaOut"}}, 0)});
  ASSERT_TRUE(renderer);
  const auto value = [](irr::video::ITexture* t) { return read(t).at(kSize / 2, kSize / 2).g; };
  renderers->getLastFrameInfo()->invalidate();
  fill(source, irr::video::SColor(255, 0, 0, 0));
  frame(renderer);  // the first frame is a cut
  EXPECT_NEAR(value(out), 0.0f, 0.01f);
  fill(source, irr::video::SColor(255, 255, 255, 255));
  frame(renderer);
  EXPECT_NEAR(value(out), 0.25f, 0.01f);
  EXPECT_NEAR(value(history), 0.25f, 0.01f);
  frame(renderer, image);
  EXPECT_NEAR(value(out), 1.0f, 0.01f) << "the image's own picture, no history";
  EXPECT_NEAR(value(history), 0.25f, 0.01f) << "the screen's history";
  frame(renderer);
  EXPECT_NEAR(value(out), 0.4375f, 0.01f) << "the screen goes on from its own history";
  renderer->drop();
}

// Blended where the output could not take it (the output is the source), the
// result is still copied into the output.
TEST_F(PostCmdsGlTest, TheBlendedResultEndsInTheOutput) {
  constexpr int kSize = 8;
  irr::video::ITexture* source = floatTarget("AaSrc", kSize, kSize);
  floatTarget("AaWork", kSize, kSize);
  floatTarget("AaHist", kSize, kSize);
  STkRenderSettings& settings = context->getRenderSettings();
  settings.antialias[kAntialiasMode] = 0;
  settings.antialias[kAntialiasBlending] = 1;
  settings.antialias[kAntialiasBlendingWeight] = 3;
  CTkRendererCmds* renderer = build({command(
      "Antialias", {{"Source", "AaSrc"}, {"Work", "AaWork"}, {"History", "AaHist"}}, {{"Color0", "AaSrc"}}, 0)});
  ASSERT_TRUE(renderer);
  renderers->getLastFrameInfo()->invalidate();
  fill(source, irr::video::SColor(255, 0, 0, 0));
  frame(renderer);
  fill(source, irr::video::SColor(255, 255, 255, 255));
  frame(renderer);
  EXPECT_NEAR(read(source).at(kSize / 2, kSize / 2).g, 0.25f, 0.01f);
  renderer->drop();
}

// Depth of Field draws the physical circle of confusion unless the advanced
// setting asks for the artist's, and copies the source while it is off. The
// lens (f-stop 0) leaves everything sharp; the artist's range blurs the far
// stripes.
TEST_F(PostCmdsGlTest, DepthOfFieldPicksItsCircleOfConfusion) {
  constexpr int kW = 32, kH = 16;
  irr::video::ITexture* stripes = picture("Stripes", kW, kH, [](int x, int) {
    return x % 2 ? irr::video::SColor(255, 255, 255, 255) : irr::video::SColor(255, 0, 0, 0);
  });
  irr::video::ITexture* far = picture("Far", kW, kH, [](int, int) { return irr::video::SColor(255, 204, 204, 204); });
  irr::video::ITexture* source = floatTarget("DofS", kW, kH);
  irr::video::ITexture* depth = floatTarget("DofD", kW, kH, irr::video::ECF_R32F);
  floatTarget("DofW", kW, kH);
  irr::video::ITexture* out = floatTarget("DofO", kW, kH);
  CTkRendererCmds* renderer = build({command("Depth of Field", {{"Source", "DofS"}, {"Depth", "DofD"}, {"Work", "DofW"}},
                                             {{"Color0", "DofO"}}, 0)});
  ASSERT_TRUE(renderer);
  struct Case {
    const char* name;
    int enable, advanced;
    bool blurred;
  } cases[] = {{"off", 0, 1, false}, {"physical", 1, 0, false}, {"artist", 1, 1, true}};
  for (const Case& c : cases) {
    STkRenderSettings& s = context->getRenderSettings();
    s = STkRenderSettings();
    s.dofEnable = c.enable;
    s.advancedDofEnable = c.advanced;
    s.focalDistance = 0.2f;  // f-stop 0: no aperture
    s.dofFocalRangeFocused = 0.2f;
    s.dofFocalRangeMax = 0.4f;
    s.dofRadiusScale = 4.0f;
    refreshPostSemantics(context->bindSemantics(), s);
    fill(source, stripes);
    fill(depth, far);
    fill(out, irr::video::SColor(255, 255, 0, 0));
    frame(renderer);
    const test::FloatPicture p = read(out);
    float stray = 0;
    for (int x = 4; x < kW - 4; ++x) stray = std::fmax(stray, std::fabs(p.at(x, kH / 2).g - (x % 2 ? 1.0f : 0.0f)));
    if (c.blurred) {
      EXPECT_GT(stray, 0.25f) << c.name;
    } else {
      EXPECT_LT(stray, 0.02f) << c.name;
    }
  }
  renderer->drop();
}

}  // namespace
}  // namespace tk
