// Effects drawn through the engine's material renderer: full-screen passes
// with textures and constants set through the effect, copies, and the
// orientation of pictures and render targets, read back pixel by pixel.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "base/log.h"
#include "platform/screenshot/frame_keeper.h"
#include "render/engine.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 32;

// The left half shows the picture, the right half the tint.
constexpr const char* kQuadEffect = R"(// [TESK_BEGIN]
// float4 Tint : 0.5 0.25 0 1 : pixel
// texture Picture : picture.bmp : filterPoint
// [TESK_END]
float4 Tint;
sampler2D Picture;
struct VSOut { float4 position : POSITION; float2 uv : TEXCOORD0; };
VSOut vs_main(float4 p : POSITION, float2 uv : TEXCOORD0) { VSOut o; o.position = p; o.uv = uv; return o; }
float4 ps_main(float2 uv : TEXCOORD0) : COLOR { return uv.x < 0.5 ? tex2D(Picture, float2(uv.x * 2, uv.y)) : Tint; }
)";

using Rgb = std::array<int, 3>;

class EffectDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0);
    driver = tkEngine().driver;
    manager = tkEngine().manager->getEffectManager();
    services = tkEngine().manager->getRenderServices();
    // 2 x 2: red top left, green top right, blue bottom left, white bottom right.
    irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, {2, 2});
    image->setPixel(0, 0, irr::video::SColor(255, 255, 0, 0));
    image->setPixel(1, 0, irr::video::SColor(255, 0, 255, 0));
    image->setPixel(0, 1, irr::video::SColor(255, 0, 0, 255));
    image->setPixel(1, 1, irr::video::SColor(255, 255, 255, 255));
    picturePath = folder.path() + "/picture.bmp";
    ASSERT_TRUE(driver->writeImageToFile(image, picturePath.c_str()));
    image->drop();
    effectPath = folder.write("quad.fx", kQuadEffect);
  }
  void TearDown() override { tkSysShutdown(); }

  // Draws one frame and reads it back, top row first.
  template <typename Draw>
  std::vector<uint8_t> frame(Draw draw) {
    driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
    draw();
    frameKeeper().keepBackBuffer(kWidth, kHeight);
    driver->endScene();
    std::vector<uint8_t> pixels = test::lastFrameRgb();
    EXPECT_EQ(pixels.size(), static_cast<size_t>(kWidth * kHeight * 3));
    return pixels;
  }
  static Rgb at(const std::vector<uint8_t>& pixels, int x, int y) {
    const uint8_t* p = &pixels[(y * kWidth + x) * 3];
    return {p[0], p[1], p[2]};
  }

  irr::video::IVideoDriver* driver = nullptr;
  CTkEffectManager* manager = nullptr;
  CTkRenderServices* services = nullptr;
  test::TempFolder folder;
  std::string picturePath, effectPath;
};

struct Released {
  void operator()(CTkEffect* effect) const { effect->drop(); }
};

TEST_F(EffectDrawTest, QuadPassShowsItsPictureUprightAndItsConstants) {
  std::unique_ptr<CTkEffect, Released> effect(manager->createEffect(effectPath.c_str(), -1, {}));
  ASSERT_TRUE(effect) << manager->getLastError();
  std::vector<uint8_t> pixels = frame([&] { services->drawEffect(effect.get(), 0, 0, nullptr); });
  EXPECT_EQ((Rgb{255, 0, 0}), at(pixels, 2, 2));      // picture top left
  EXPECT_EQ((Rgb{0, 255, 0}), at(pixels, 29, 2));     // picture top right
  EXPECT_EQ((Rgb{0, 0, 255}), at(pixels, 2, 29));     // picture bottom left
  EXPECT_EQ((Rgb{128, 64, 0}), at(pixels, 50, 20));   // the default tint

  const float green[4] = {0, 1, 0, 1};
  ASSERT_TRUE(effect->setFloatArray("Tint", green, 4));
  pixels = frame([&] { services->drawEffect(effect.get(), 0, 0, nullptr); });
  EXPECT_EQ((Rgb{0, 255, 0}), at(pixels, 50, 20));
}

TEST_F(EffectDrawTest, RenderTargetsAndPicturesAreCopiedUpright) {
  irr::video::ITexture* target = driver->addRenderTargetTexture({kWidth, kHeight}, "copyTarget");
  ASSERT_TRUE(target);
  irr::video::ITexture* picture = driver->getTexture(picturePath.c_str());
  std::vector<uint8_t> pixels = frame([&] {
    // The display library draws red over the target's top half.
    driver->setRenderTarget(target, true, true, irr::video::SColor(255, 0, 0, 255));
    driver->draw2DRectangle(irr::video::SColor(255, 255, 0, 0), irr::core::recti(0, 0, kWidth, kHeight / 2));
    driver->setRenderTarget(irr::video::ERT_FRAME_BUFFER, false, false);
    services->copyTexture(target);
  });
  EXPECT_EQ((Rgb{255, 0, 0}), at(pixels, 10, 3));
  EXPECT_EQ((Rgb{0, 0, 255}), at(pixels, 10, 28));

  pixels = frame([&] { services->copyTexture(picture); });
  EXPECT_EQ((Rgb{255, 0, 0}), at(pixels, 0, 0));
  EXPECT_EQ((Rgb{255, 0, 0}), at(pixels, 31, 15));  // texel centres on pixel centres: exact halves
  EXPECT_EQ((Rgb{0, 255, 0}), at(pixels, 32, 15));
  EXPECT_EQ((Rgb{255, 255, 255}), at(pixels, 63, 31));

  // The same render target on unit 0 of an effect pass is upright too.
  std::unique_ptr<CTkEffect, Released> effect(manager->createEffect(effectPath.c_str(), -1, {}));
  ASSERT_TRUE(effect);
  pixels = frame([&] { services->drawEffect(effect.get(), 0, 0, target); });
  EXPECT_EQ((Rgb{255, 0, 0}), at(pixels, 10, 3));
  EXPECT_EQ((Rgb{0, 0, 255}), at(pixels, 10, 28));
}

// An effect file edited while the program runs: the shader services recompile
// it, the material renderer links the new program, the effect feeds the
// constants at their new places.
TEST_F(EffectDrawTest, EditedEffectsDrawTheirNewShaders) {
  const std::string header =
      "// [TESK_BEGIN]\n// float4 Tint : 1 0 0 1 : pixel\n// float Gain : 1 : pixel\n// [TESK_END]\n"
      "float4 vs_main(float4 p : POSITION) : POSITION { return p; }\n";
  const std::string path =
      folder.write("edited.fx", header + "float Gain;\nfloat4 Tint;\nfloat4 ps_main() : COLOR { return Tint * Gain; }\n");
  std::unique_ptr<CTkEffect, Released> effect(manager->createEffect(path.c_str(), -1, {}));
  ASSERT_TRUE(effect) << manager->getLastError();
  EXPECT_EQ((Rgb{255, 0, 0}), at(frame([&] { services->drawEffect(effect.get(), 0, 0, nullptr); }), 10, 10));

  folder.write("edited.fx", header + "float4 Tint;\nfloat4 ps_main() : COLOR { return Tint.gbra; }\n");
  std::vector<int> updated;
  ASSERT_TRUE(tkEngine().manager->getGPUProgrammingServices()->updateShaders({path}, &updated));
  manager->refreshConstants(updated);
  EXPECT_EQ((Rgb{0, 0, 255}), at(frame([&] { services->drawEffect(effect.get(), 0, 0, nullptr); }), 10, 10));
}

// A layer read as sRGB decodes the picture to linear values on the way in.
TEST_F(EffectDrawTest, SRGBLayersReadPicturesAsLinearValues) {
  std::unique_ptr<CTkEffect, Released> effect(manager->createEffect(effectPath.c_str(), -1, {}));
  ASSERT_TRUE(effect);
  irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, {1, 1});
  image->fill(irr::video::SColor(255, 128, 128, 128));
  irr::video::ITexture* grey = driver->addTexture("grey", image);
  image->drop();
  for (const bool sRGB : {false, true, false, true}) {
    ASSERT_TRUE(effect->setSamplerTexture("Picture", grey, sRGB));
    const Rgb shown = at(frame([&] { services->drawEffect(effect.get(), 0, 0, nullptr); }), 10, 10);
    EXPECT_NEAR(shown[0], sRGB ? 55 : 128, 2) << sRGB;  // sRGB 128 is linear 0.216
  }
}

}  // namespace
}  // namespace tk
