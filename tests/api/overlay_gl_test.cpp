// 2D draws over a frame on the OpenGL driver, read back: boxes, lines, text,
// a picture of four coloured quarters pasted at its size and stretched, a
// frame rendered into an image and pasted back (plainly and through an
// effect) the right way up, and a box drawn by an effect on its rectangle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/draw_commands.h"
#include "api/draw_queue.h"
#include "api/effect_commands.h"
#include "api/image_commands.h"
#include "api/render_frame.h"
#include "render/engine.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 120;

const irr::video::SColor kRed(255, 255, 0, 0), kGreen(255, 0, 255, 0), kBlue(255, 0, 0, 255),
    kWhite(255, 255, 255, 255), kBlack(255, 0, 0, 0);

// Draws the picture through the effect's Image sampler, read at TEXCOORD1.
constexpr const char* kImageEffect = R"(// [TESK_BEGIN]
// float4 Rectangle : 0, 0, 1, 1 : vertex
// float2 TargetSize : TargetSize : vertex
// float4 Color : 1, 1, 1, 1 : pixel
// texture Image : : clamp_to_edge filterPoint noMipMap
// [TESK_END]
float4 Rectangle;
float2 TargetSize;
float4 Color;
sampler2D Image;
struct VSOut { float4 position : POSITION; float2 corner : TEXCOORD0; float2 uv : TEXCOORD1; };
VSOut vs_main(float4 p : POSITION, float2 corner : TEXCOORD0, float2 uv : TEXCOORD1) {
  VSOut o;
  float2 pixel = Rectangle.xy + corner * Rectangle.zw;
  o.position = float4(pixel / TargetSize * float2(2, -2) + float2(-1, 1), 0, 1);
  o.corner = corner;
  o.uv = uv;
  return o;
}
float4 ps_main(float2 corner : TEXCOORD0, float2 uv : TEXCOORD1) : COLOR { return tex2D(Image, uv) * Color; }
)";

class OverlayDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0);
    // 64 x 32: red, green over blue, white.
    irr::video::IImage* image = tkEngine().driver->createImage(irr::video::ECF_A8R8G8B8, {64, 32});
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 64; ++x) image->setPixel(x, y, y < 16 ? (x < 32 ? kRed : kGreen) : (x < 32 ? kBlue : kWhite));
    picture = folder.path() + "/quarters.png";
    ASSERT_TRUE(tkEngine().driver->writeImageToFile(image, picture.c_str()));
    image->drop();
  }
  void TearDown() override { tkSysShutdown(); }

  std::vector<uint8_t> frame() {
    renderFrame();
    return test::lastFrameRgb();
  }
  static irr::video::SColor at(const std::vector<uint8_t>& rgb, int x, int y) {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * kWidth + x) * 3];
    return irr::video::SColor(255, p[0], p[1], p[2]);
  }
  // The four quarters of a w x h copy of the picture at (x, y).
  void expectQuarters(const std::vector<uint8_t>& rgb, int x, int y, int w, int h, const char* what) {
    EXPECT_EQ(at(rgb, x + w / 4, y + h / 4), kRed) << what;
    EXPECT_EQ(at(rgb, x + 3 * w / 4, y + h / 4), kGreen) << what;
    EXPECT_EQ(at(rgb, x + w / 4, y + 3 * h / 4), kBlue) << what;
    EXPECT_EQ(at(rgb, x + 3 * w / 4, y + 3 * h / 4), kWhite) << what;
  }

  test::TempFolder folder;
  std::string picture;
};

TEST_F(OverlayDrawTest, BoxesLinesAndTextLandWhereTheyWereAsked) {
  Ink(0xFF0000);
  Box(10, 10, 30, 20);
  Ink(0x00FF00);
  Line(40, 50, 90, 50);
  const std::string hello = "Hello";
  Text(100, 80, hello.data(), hello.size());
  std::vector<uint8_t> rgb = frame();
  ASSERT_EQ(rgb.size(), static_cast<size_t>(kWidth * kHeight * 3));
  EXPECT_EQ(at(rgb, 20, 15), kRed);
  EXPECT_EQ(at(rgb, 20, 25), kBlack);
  EXPECT_EQ(at(rgb, 65, 50), kGreen);
  EXPECT_EQ(at(rgb, 65, 52), kBlack);
  int lit = 0, litOutside = 0;
  for (int y = 70; y < 100; ++y)
    for (int x = 90; x < 130; ++x) {
      const bool inside = x >= 100 && x < 118 && y >= 80 && y < 90;
      if (at(rgb, x, y) == kWhite) ++(inside ? lit : litOutside);
    }
  EXPECT_GT(lit, 10);
  EXPECT_EQ(litOutside, 0);
  // The queue was played once: the next frame is empty.
  rgb = frame();
  EXPECT_EQ(at(rgb, 20, 15), kBlack);
}

TEST_F(OverlayDrawTest, TextsInOneBatchLookAsTheFontDrawsThem) {
  // A line break at the end sends a text through the font's own draw.
  const std::string lines[] = {"Frame=12.50 time=0mn0sec500", "Ride 1000cm/s  {[|]}", "X -1.250 gjpqy"};
  auto draw = [&](const char* ending) {
    for (int i = 0; i < 3; ++i) {
      const std::string text = lines[i] + ending;
      Text(5 + i * 7, 10 + i * 30, text.data(), text.size());
    }
    return frame();
  };
  const std::vector<uint8_t> batched = draw("");
  const std::vector<uint8_t> oneByOne = draw("\n");
  ASSERT_FALSE(batched.empty());
  EXPECT_TRUE(batched == oneByOne);
  int lit = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) lit += at(batched, x, y) == kWhite;
  EXPECT_GT(lit, 100);
}

TEST_F(OverlayDrawTest, PicturesPasteAtTheirSizeAndStretched) {
  ASSERT_EQ(LoadImage(picture.c_str(), 1), 0);
  EXPECT_EQ(ImageWidth(1), 64);
  EXPECT_EQ(ImageHeight(1), 32);
  PasteImage(1, 0, 0, false);
  PasteImageStretch(1, 100, 0, 64, 64, false);
  PasteImageStretch(1, 0, 60, -1, 10, false);  // natural size
  const std::vector<uint8_t> rgb = frame();
  ASSERT_FALSE(rgb.empty());
  expectQuarters(rgb, 0, 0, 64, 32, "natural");
  expectQuarters(rgb, 100, 0, 64, 64, "stretched");
  expectQuarters(rgb, 0, 60, 64, 32, "width -1");
}

TEST_F(OverlayDrawTest, AFrameRenderedIntoAnImagePastesUpright) {
  ASSERT_EQ(LoadImage(picture.c_str(), 1), 0);
  ASSERT_EQ(MakeImage(64, 32, 2), 0);
  EXPECT_EQ(ImageWidth(2), 64);
  PasteImageStretch(1, 0, 0, 64, 32, false);
  RenderToImage(2, true);
  EXPECT_EQ(drawQueue().size(), 0);  // drawn into the image
  test::TempFolder effects;
  const std::string effect = effects.write("image.fx", kImageEffect);
  ASSERT_EQ(LoadEffect(effect.c_str(), 3), 0);
  PasteImage(2, 0, 0, false);
  PasteImageWithEffect(2, 100, 0, 64, 32, 3);
  PasteImageWithEffect(1, 100, 60, -1, -1, 3);
  const std::vector<uint8_t> rgb = frame();
  ASSERT_FALSE(rgb.empty());
  expectQuarters(rgb, 0, 0, 64, 32, "image pasted");
  expectQuarters(rgb, 100, 0, 64, 32, "image through an effect");
  expectQuarters(rgb, 100, 60, 64, 32, "picture through an effect");
  EXPECT_EQ(at(rgb, 80, 50), kBlack);
}

TEST_F(OverlayDrawTest, MakingAnImageAgainReusesOrReplacesItsTarget) {
  ASSERT_EQ(MakeImage(32, 32, 4), 0);
  irr::video::ITexture* first = getImageTexture(4);
  const irr::u32 textures = tkEngine().driver->getTextureCount();
  DeleteImage(4);
  ASSERT_EQ(MakeImage(32, 32, 4), 0);
  EXPECT_EQ(getImageTexture(4), first);
  DeleteImage(4);
  ASSERT_EQ(MakeImage(16, 8, 4), 0);
  EXPECT_EQ(tkEngine().driver->getTextureCount(), textures);
  EXPECT_EQ(tkEngine().driver->findTexture("tkRtImage4"), getImageTexture(4));
  EXPECT_EQ(ImageWidth(4), 16);
  EXPECT_EQ(MakeImage(1 << 20, 8, 5), -1);
}

TEST_F(OverlayDrawTest, AnEffectDrawsABoxOnItsRectangle) {
  ASSERT_EQ(LoadEffect(TESK_SOURCE_DIR "/examples/shaders/Panel.hlsl", 3), 0);
  SetEffectConstantFloat(3, "Radius", 0);
  Ink(0x0000FF);
  BoxWithEffect(20, 30, 120, 90, 3);
  const std::vector<uint8_t> rgb = frame();
  ASSERT_FALSE(rgb.empty());
  EXPECT_GT(at(rgb, 25, 35).getBlue(), 200u);   // near the top: full shade
  EXPECT_EQ(at(rgb, 25, 35).getRed(), 0u);
  EXPECT_GT(at(rgb, 110, 85).getBlue(), 120u);  // near the bottom: darker
  EXPECT_LT(at(rgb, 110, 85).getBlue(), at(rgb, 25, 35).getBlue());
  EXPECT_EQ(at(rgb, 15, 35), kBlack);
  EXPECT_EQ(at(rgb, 125, 85), kBlack);
  EXPECT_EQ(at(rgb, 60, 95), kBlack);
}

}  // namespace
}  // namespace tk
