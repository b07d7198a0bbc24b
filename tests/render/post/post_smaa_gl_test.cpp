// SMAA drawn on OpenGL and read back: it brings aliased edges closer to the
// true coverage, leaves long straight edges alone, only ever mixes a pixel
// with its neighbours, and blends on the side of an edge the picture says
// (which way is up matters: targets are stored bottom-up).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "base/files/file_layer.h"
#include "platform/screenshot/frame_keeper.h"
#include "render/engine.h"
#include "render/post/post_smaa.h"
#include "render/render_services.h"
#include "render/renderer_ctx_adv.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "tests/support/gl_engine.h"
#include "tests/support/runtime_base_directory.h"

namespace tk {
namespace {

constexpr int kWidth = 96;
constexpr int kHeight = 64;

// True where a pixel (x right, y down from the top row) shows the first colour.
using Pattern = std::function<bool(int x, int y)>;

struct Rgb {
  int c[3];
};

const Rgb kInside{{230, 200, 30}};
const Rgb kOutside{{20, 40, 160}};

class PostSmaaGlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0);
    driver = tkEngine().driver;
    services = tkEngine().manager->getRenderServices();
    const std::vector<std::string> resolved = ctxAdvFiles(true);
    STkPostSMAAFiles files;
    files.edges = resolved[kCtxAdvSmaaEdges];
    files.weights = resolved[kCtxAdvSmaaWeights];
    files.blend = resolved[kCtxAdvSmaaBlend];
    files.gamma = resolved[kCtxAdvGamma];
    files.areaTable = resolved[kCtxAdvSmaaAreaTex];
    files.searchTable = resolved[kCtxAdvSmaaSearchTex];
    driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, true);
    ASSERT_TRUE(smaa.init(tkEngine().manager->getEffectManager(), services, files));
    for (const char* name : {"Source", "Target", "Work"}) {
      irr::video::ITexture* texture = driver->addRenderTargetTexture({kWidth, kHeight}, name, irr::video::ECF_A8R8G8B8);
      ASSERT_TRUE(texture);
      targets.push_back(texture);
    }
  }
  void TearDown() override { tkSysShutdown(); }

  // The picture, top row first, in the source target.
  void drawSource(const std::vector<Rgb>& pixels) {
    irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, {kWidth, kHeight});
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const Rgb& p = pixels[y * kWidth + x];
        image->setPixel(x, y, irr::video::SColor(255, p.c[0], p.c[1], p.c[2]));
      }
    driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
    irr::video::ITexture* picture = driver->addTexture(("picture" + std::to_string(pictures++)).c_str(), image);
    image->drop();
    ASSERT_TRUE(picture);
    services->setRenderTargets(&targets[0], 1);
    services->copyTexture(picture);
  }

  // SMAA over the picture, read back top row first: into the target (copied
  // to the screen) or straight to the screen.
  std::vector<uint8_t> antialiased(const std::vector<Rgb>& pixels, bool toScreen = false, bool colorSpace = false) {
    driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
    drawSource(pixels);
    smaa.render(targets[1], targets[0], targets[2], toScreen, colorSpace);
    if (!toScreen) {
      services->setRenderTargets(nullptr, 0);
      services->copyTexture(targets[1]);
    }
    frameKeeper().keepBackBuffer(kWidth, kHeight);
    driver->endScene();
    return test::lastFrameRgb();
  }

  static std::vector<Rgb> paint(const Pattern& inside, const Rgb& in = kInside, const Rgb& out = kOutside) {
    std::vector<Rgb> pixels(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) pixels[y * kWidth + x] = inside(x, y) ? in : out;
    return pixels;
  }

  static int channel(const std::vector<uint8_t>& rgb, int x, int y, int c) { return rgb[(y * kWidth + x) * 3 + c]; }

  irr::video::IVideoDriver* driver = nullptr;
  CTkRenderServices* services = nullptr;
  test::RuntimeBaseDirectory runtime;
  CTkPostSMAA smaa;
  std::vector<irr::video::ITexture*> targets;
  int pictures = 0;
};

// Half-planes below lines of several slopes, drawn with one sample per pixel
// and moved by fifths of a pixel (where a line lies within a pixel is beyond
// what the samples tell): SMAA brings the pictures much closer to each
// pixel's true coverage. Lines of 45 degrees gain least: their steps are
// alike wherever the line lies, and the best guess, a line through the steps'
// middles, still leaves 3/4 of the error on average; slopes between 1/2 and
// 1 mix steps of one and two pixels, which short lines follow less closely.
TEST_F(PostSmaaGlTest, DiagonalEdgesComeCloserToTheirCoverage) {
  struct Line {
    double slope, offset;  // inside where y > slope * x + offset (screen pixels, y down)
    double errorLeft;      // the most of the aliased picture's error that may remain
  };
  for (const Line& line : {Line{0.5, 9.6, 0.65}, Line{2.0, -60.2, 0.65}, Line{-0.5, 55.1, 0.65},
                           Line{0.75, 4.4, 0.9}, Line{1.0, -15.3, 0.85}, Line{-1.0, 78.4, 0.85}}) {
    double aliasedError = 0, smaaError = 0;
    for (int shift = 0; shift < 5; ++shift) {
      auto inside = [&](double x, double y) { return y > line.slope * x + line.offset + shift * 0.2; };
      const std::vector<Rgb> aliased = paint([&](int x, int y) { return inside(x + 0.5, y + 0.5); }, {{255, 255, 255}},
                                             {{0, 0, 0}});
      const std::vector<uint8_t> out = antialiased(aliased);
      ASSERT_EQ(out.size(), static_cast<size_t>(kWidth * kHeight * 3));
      for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
          int covered = 0;
          for (int sy = 0; sy < 16; ++sy)
            for (int sx = 0; sx < 16; ++sx) covered += inside(x + (sx + 0.5) / 16, y + (sy + 0.5) / 16);
          const double truth = covered / 256.0 * 255.0;
          aliasedError += std::fabs(aliased[y * kWidth + x].c[1] - truth);
          smaaError += std::fabs(channel(out, x, y, 1) - truth);
        }
    }
    EXPECT_LT(smaaError, line.errorLeft * aliasedError) << "slope " << line.slope;
  }
}

// A white rectangle 80 pixels wide: its corners are rounded off, the middle of
// its long edges is left exactly as it was, and so is an edge across the
// whole picture.
TEST_F(PostSmaaGlTest, TheMiddleOfALongStraightEdgeStaysSharp) {
  const std::vector<uint8_t> box = antialiased(paint([](int x, int y) { return x >= 8 && x < 88 && y >= 20 && y < 44; }));
  for (int x = 40; x <= 56; ++x)
    for (int y : {19, 20, 43, 44})
      for (int c = 0; c < 3; ++c)
        EXPECT_EQ(channel(box, x, y, c), (y == 19 || y == 44 ? kOutside : kInside).c[c]) << x << "," << y;
  EXPECT_NE(channel(box, 8, 20, 0), kInside.c[0]);  // the corner pixel is blended

  const std::vector<uint8_t> across = antialiased(paint([](int, int y) { return y >= 30; }));
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      EXPECT_EQ(channel(across, x, y, 0), (y >= 30 ? kInside : kOutside).c[0]) << x << "," << y;
}

// On the canonical shapes every pixel that changes lies on an edge of the
// picture and takes a value between its own and its neighbours'.
TEST_F(PostSmaaGlTest, PatternsOnlyMixPixelsOnEdgesWithTheirNeighbours) {
  struct Case {
    const char* name;
    Pattern inside;
  };
  const Case cases[] = {
      {"L (rectangle corners)", [](int x, int y) { return x >= 20 && x < 60 && y >= 16 && y < 40; }},
      {"Z (one-pixel step)", [](int x, int y) { return y >= (x < 48 ? 32 : 31); }},
      {"U (one-pixel bump)", [](int x, int y) { return y >= 32 || (y == 31 && x >= 40 && x < 50); }},
      {"rising staircase", [](int x, int y) { return x + y >= 70 && y < 50; }},
      {"falling staircase", [](int x, int y) { return y >= x - 10 && x < 70; }},
      {"one-pixel line", [](int x, int y) { return y == x / 3 + 10; }},
  };
  for (const Case& c : cases) {
    const std::vector<Rgb> input = paint(c.inside);
    const std::vector<uint8_t> out = antialiased(input);
    ASSERT_EQ(out.size(), static_cast<size_t>(kWidth * kHeight * 3));
    int changed = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const bool self = c.inside(x, y);
        bool onEdge = false;
        int low[3], high[3];
        for (int k = 0; k < 3; ++k) low[k] = high[k] = input[y * kWidth + x].c[k];
        const int neighbours[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const auto& n : neighbours) {
          if (n[0] < 0 || n[0] >= kWidth || n[1] < 0 || n[1] >= kHeight) continue;
          onEdge |= c.inside(n[0], n[1]) != self;
          for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], input[n[1] * kWidth + n[0]].c[k]);
            high[k] = std::max(high[k], input[n[1] * kWidth + n[0]].c[k]);
          }
        }
        bool moved = false;
        for (int k = 0; k < 3; ++k) {
          const int v = channel(out, x, y, k);
          moved |= v != input[y * kWidth + x].c[k];
          EXPECT_TRUE(v >= low[k] && v <= high[k]) << c.name << " at " << x << "," << y;
        }
        if (!moved) continue;
        ++changed;
        EXPECT_TRUE(onEdge) << c.name << ": " << x << "," << y << " is off the edges";
      }
    EXPECT_GT(changed, 0) << c.name;
  }
}

// A horizontal edge that steps up one pixel at x = 48 (screen rows counted
// down): the silhouette rises towards the step, so the dark pixel left of the
// step, in the row above the left edge, lightens and the light pixel right of
// it darkens; the row below the left edge and the row above the right edge
// keep their colours. Read upside down the same pass would blend those two
// instead.
TEST_F(PostSmaaGlTest, BlendsOnTheSideTheStepRisesTo) {
  const std::vector<uint8_t> out = antialiased(paint([](int x, int y) { return y >= (x < 48 ? 32 : 31); }));
  for (int k = 0; k < 3; ++k) {
    EXPECT_NE(channel(out, 47, 31, k), kOutside.c[k]) << k;
    EXPECT_NE(channel(out, 48, 31, k), kInside.c[k]) << k;
    EXPECT_EQ(channel(out, 47, 32, k), kInside.c[k]) << k;
    EXPECT_EQ(channel(out, 48, 30, k), kOutside.c[k]) << k;
  }
  // The blend fades out along the line: next to the step more than 8 pixels away.
  const int nearStep = std::abs(channel(out, 47, 31, 0) - kOutside.c[0]);
  const int farther = std::abs(channel(out, 39, 31, 0) - kOutside.c[0]);
  EXPECT_GT(nearStep, farther);
}

// The tables are read texel by texel: no mip maps, whatever the driver's flags say.
TEST_F(PostSmaaGlTest, TablesHaveNoMipMaps) {
  EXPECT_TRUE(driver->getTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS));
  EXPECT_FALSE(smaa.areaTable()->hasMipMaps());
  EXPECT_FALSE(smaa.searchTable()->hasMipMaps());
}

TEST_F(PostSmaaGlTest, StraightToTheScreenDrawsWhatTheTargetGets) {
  const std::vector<Rgb> input = paint([](int x, int y) { return 2 * y > x + 10 && x * x + y * y > 900; });
  const std::vector<uint8_t> intoTarget = antialiased(input, false);
  const std::vector<uint8_t> toScreen = antialiased(input, true);
  EXPECT_EQ(intoTarget, toScreen);
  EXPECT_NE(intoTarget, antialiased(paint([](int, int) { return false; })));
}

// SMAA marks its edges in depth, in a buffer of its own: targets of the
// screen's size share one depth buffer, and what is drawn after
// anti-aliasing still tests against the scene's depth. Here the left half of
// that depth is near; a far quad drawn after SMAA shows only on the right.
TEST_F(PostSmaaGlTest, TheScenesDepthOutlivesTheEdgeMarks) {
  auto quad = [&](float left, float z, irr::u8 comparison, const irr::video::SColor& colour) {
    irr::video::SMaterial material;
    material.Lighting = false;
    material.BackfaceCulling = false;
    material.ZBuffer = comparison;
    material.ZWriteEnable = true;
    const irr::video::S3DVertex vertices[4] = {
        {left, 1, z, 0, 0, -1, colour, 0, 0}, {1, 1, z, 0, 0, -1, colour, 1, 0},
        {left, -1, z, 0, 0, -1, colour, 0, 1}, {1, -1, z, 0, 0, -1, colour, 1, 1}};
    const irr::u16 indices[6] = {0, 1, 2, 2, 1, 3};
    for (irr::video::E_TRANSFORMATION_STATE state : {irr::video::ETS_WORLD, irr::video::ETS_VIEW,
                                                      irr::video::ETS_PROJECTION})
      driver->setTransform(state, irr::core::IdentityMatrix);
    driver->setMaterial(material);
    driver->drawIndexedTriangleList(vertices, 4, indices, 2);
  };
  const irr::video::SColor red(255, 255, 0, 0);
  driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
  drawSource(paint([](int x, int y) { return 2 * y > x + 10; }));
  driver->setRenderTarget(targets[0], false, true);
  quad(-1, 0.5f, irr::video::ECFN_ALWAYS, irr::video::SColor(255, 0, 0, 0));  // depth near on the left...
  quad(0, 0.9f, irr::video::ECFN_ALWAYS, irr::video::SColor(255, 0, 0, 0));   // ...far on the right
  drawSource(paint([](int x, int y) { return 2 * y > x + 10; }));
  smaa.render(targets[1], targets[0], targets[2], false, false);
  driver->setRenderTarget(targets[2], true, false, irr::video::SColor(255, 0, 0, 255));
  quad(-1, 0.7f, irr::video::ECFN_LESSEQUAL, red);
  services->setRenderTargets(nullptr, 0);
  services->copyTexture(targets[2]);
  frameKeeper().keepBackBuffer(kWidth, kHeight);
  driver->endScene();
  const std::vector<uint8_t> rgb = test::lastFrameRgb();
  for (int y : {5, kHeight / 2, kHeight - 5}) {
    EXPECT_EQ(channel(rgb, 10, y, 0), 0) << "left, row " << y;
    EXPECT_EQ(channel(rgb, kWidth - 10, y, 0), 255) << "right, row " << y;
  }
}

// A step of 0 to 2% light is below the edge threshold, but once encoded for
// the display it is 0 to 15%: only with the colour-space flag is it softened,
// and the blend still mixes the linear values.
TEST_F(PostSmaaGlTest, TheColourSpaceFlagFindsEdgesOnTheDisplayEncoding) {
  const Rgb dim{{5, 5, 5}};
  const Rgb dark{{0, 0, 0}};
  const std::vector<Rgb> input = paint([](int x, int y) { return y > x / 2 + 10; }, dim, dark);
  auto changedPixels = [&](const std::vector<uint8_t>& out) {
    int changed = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) {
      changed += out[i * 3] != input[i].c[0];
      EXPECT_LE(out[i * 3], 5);
    }
    return changed;
  };
  EXPECT_EQ(changedPixels(antialiased(input, false, false)), 0);
  EXPECT_GT(changedPixels(antialiased(input, false, true)), 20);
}

}  // namespace
}  // namespace tk
