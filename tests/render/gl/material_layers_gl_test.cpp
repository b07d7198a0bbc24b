// Full-screen draws one after the other with the same material into the same
// target: the display library sees an unchanged material and does not set it
// again, yet each draw must read its own textures.
#include <gtest/gtest.h>

#include "render/post/post_effect.h"
#include "tests/render/post/post_gl_fixture.h"

namespace tk {
namespace {

class MaterialLayersGlTest : public test::PostGlTest {
 protected:
  // Through the copy shader or through an effect.
  void draw(bool copy, irr::video::ITexture* into, irr::video::ITexture* from) {
    if (copy) {
      services->setRenderTargets(&into, 1);
      services->copyTexture(from);
    } else {
      context->gamma()->draw(into, from);
    }
  }
};

TEST_F(MaterialLayersGlTest, EachDrawReadsItsOwnTexture) {
  irr::video::ITexture* target = floatTarget("LayersTarget", 4, 4);
  irr::video::ITexture* red = picture("red", 1, 1, [](int, int) { return irr::video::SColor(255, 255, 0, 0); });
  irr::video::ITexture* green = picture("green", 1, 1, [](int, int) { return irr::video::SColor(255, 0, 255, 0); });
  for (bool copy : {true, false}) {
    beginFrame();
    draw(copy, target, red);
    draw(copy, target, green);
    const test::Rgba seen = read(target).at(2, 2);
    endFrame();
    EXPECT_NEAR(seen.r, 0.0f, 0.01f) << (copy ? "copy" : "effect");
    EXPECT_NEAR(seen.g, 1.0f, 0.01f) << (copy ? "copy" : "effect");
  }
}

}  // namespace
}  // namespace tk
