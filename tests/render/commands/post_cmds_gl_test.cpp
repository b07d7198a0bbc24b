// The Gamma and Antialias commands of a command renderer on OpenGL, read back
// from float targets.
#include <gtest/gtest.h>

#include "render/commands/renderer_cmds.h"
#include "render/last_frame_info.h"
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

}  // namespace
}  // namespace tk
