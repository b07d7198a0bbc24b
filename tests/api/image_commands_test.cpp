// Image commands on the null driver, whose textures from files are 0 x 0
// stand-ins and which makes no render targets: sizes and made images are
// checked by the drawing tests.
#include "api/image_commands.h"

#include <array>
#include <functional>
#include <string>

#include "api/draw_queue.h"
#include "api/effect_commands.h"
#include "effects/runtime/effect.h"
#include "tests/api/effect_fixture.h"

namespace tk {
namespace {

class ImageCommandsTest : public test::EffectCommandsTest {
 protected:
  void SetUp() override {
    EffectCommandsTest::SetUp();
    irr::video::IImage* image = tkEngine().driver->createImage(irr::video::ECF_A8R8G8B8, {4, 2});
    picture = folder.path() + "/picture.bmp";
    ASSERT_TRUE(tkEngine().driver->writeImageToFile(image, picture.c_str()));
    image->drop();
  }
  std::string picture;
};

const STkDrawEntry& last() { return drawQueue().entry(drawQueue().size() - 1); }

TEST_F(ImageCommandsTest, LoadedImagesArePastedWithTheImageColour) {
  ASSERT_EQ(LoadImage(picture.c_str(), 3), 0) << failure();
  EXPECT_TRUE(ImageExist(3));
  irr::video::ITexture* texture = getImageTexture(3);
  ASSERT_NE(texture, nullptr);
  PasteImage(3, 10, 20, true);
  EXPECT_EQ(last().kind, DrawKind::Image);
  EXPECT_EQ(last().texture, texture);
  EXPECT_EQ((std::array<int, 4>{last().x1, last().y1, last().x2, last().y2}), (std::array<int, 4>{10, 20, -1, -1}));
  EXPECT_TRUE(last().alpha);
  SetImageColor(0x7F336699);
  SetImageAlpha(400);
  PasteImageStretch(3, 1, 2, 30, 40, false);
  EXPECT_EQ((std::array<int, 4>{last().x1, last().y1, last().x2, last().y2}), (std::array<int, 4>{1, 2, 30, 40}));
  EXPECT_EQ(last().colour, 0xFF336699u);
  EXPECT_FALSE(last().alpha);
  DeleteImage(3);
  EXPECT_FALSE(ImageExist(3));
  EXPECT_EQ(ImageWidth(3), 0);
  DeleteImage(3);  // empty: nothing
  EXPECT_EQ(failure(), "");
}

TEST_F(ImageCommandsTest, FailuresFreeTheIdAndQueueNothing) {
  ASSERT_EQ(LoadEffect(effectPath.c_str(), 1), 0) << failure();
  ASSERT_EQ(LoadImage(picture.c_str(), 2), 0) << failure();
  const std::string corrupt = folder.write("corrupt.png", "\x89PNG\r\n\x1a\n not a picture");
  struct Case {
    std::function<void()> call;
    std::string failure;
    int id;  // an ID that must stay empty, or -1
  };
  const Case cases[] = {
      {[&] { LoadImage(corrupt.c_str(), 4); }, "1: Failed to load image '" + corrupt + "'", 4},
      {[&] { LoadImage(picture.c_str(), 1000); }, "2: invalid Image ID 1000 : invalid ID 1000 greater or equals than 1000", -1},
      {[&] { LoadImage(picture.c_str(), 2); }, "2: invalid Image ID 2 : id 2 already exist", -1},
      {[] { MakeImage(0, 16, 5); }, "1: Failed to make image", 5},
      {[] { MakeImage(16, -1, 5); }, "1: Failed to make image", 5},
      {[] { RenderToImage(5, true); }, "1: Image ID 5 does not exist. id 5 does not exist", -1},
      {[] { RenderToImage(2, true); }, "1: Image ID 2 is not renderable", -1},
      {[] { PasteImage(6, 0, 0, false); }, "1: Image ID 6 does not exist. id 6 does not exist", -1},
      {[] { PasteImageWithEffect(2, 0, 0, 4, 4, 9); }, "6: Effect ID 9 does not exist. id 9 does not exist", -1},
  };
  for (const Case& c : cases) {
    c.call();
    EXPECT_EQ(failure(), c.failure);
    if (c.id >= 0) {
      EXPECT_FALSE(ImageExist(c.id)) << c.id;
    }
  }
  EXPECT_EQ(drawQueue().size(), 0);
  PasteImageWithEffect(2, 5, 6, -1, 8, 1);
  EXPECT_EQ(failure(), "");
  EXPECT_EQ(last().kind, DrawKind::ImageWithEffect);
  EXPECT_EQ(last().effectId, 1);
}

TEST_F(ImageCommandsTest, EffectsTakeAnImagesTextureOrNoneForAnEmptyId) {
  ASSERT_EQ(LoadEffect(effectPath.c_str(), 1), 0) << failure();
  ASSERT_EQ(LoadImage(picture.c_str(), 2), 0) << failure();
  SetEffectTextureImage(1, "Picture", 2);
  EXPECT_EQ(failure(), "");
  EXPECT_EQ(textureOf(getEffect(1), "Picture"), getImageTexture(2));
  SetEffectTextureImage(1, "Gain", 2);
  EXPECT_EQ(failure(), "2: Unknown texture 'Gain'");
  SetEffectTextureImage(1, "Picture", 8);
  EXPECT_EQ(failure(), "3: Image 8 does not exist");
  EXPECT_EQ(textureOf(getEffect(1), "Picture"), nullptr);
}

}  // namespace
}  // namespace tk
