// Effects drawn with a blending base material add exactly what they return:
// the display library's own blend material would also drop every fragment of
// alpha 0, so a light whose specular alpha is 0 would add no colour either.
#include <gtest/gtest.h>

#include "render/post/post_effect.h"
#include "tests/render/post/post_gl_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

constexpr const char* kAddOneOne = R"(// [TESK_BEGIN]
// config baseMaterial : transparent_one_one
// [TESK_END]
struct VSOut { float4 position : POSITION; };
VSOut vs_main(float4 p : POSITION) { VSOut o; o.position = p; return o; }
float4 ps_main() : COLOR { return float4(0.25, 0.5, 0, 0); }
)";

using EffectBlendGlTest = test::PostGlTest;

TEST_F(EffectBlendGlTest, AdditiveEffectsAddTheirColourWhateverTheirAlpha) {
  test::TempFolder folder;
  CTkPostEffect add;
  ASSERT_TRUE(add.load(manager->getEffectManager(), services, folder.write("AddOneOne.hlsl", kAddOneOne)));
  irr::video::ITexture* target = floatTarget("Sum", 8, 8);
  beginFrame();
  fill(target, irr::video::SColor(0, 0, 0, 0));
  add.draw(target, nullptr);
  add.draw(target, nullptr);
  endFrame();
  const test::Rgba sum = read(target).at(3, 3);
  EXPECT_NEAR(sum.r, 0.5f, 1e-3);
  EXPECT_NEAR(sum.g, 1.0f, 1e-3);
  EXPECT_NEAR(sum.a, 0.0f, 1e-3);
}

}  // namespace
}  // namespace tk
