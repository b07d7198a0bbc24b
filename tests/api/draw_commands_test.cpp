// The 2D draw queue as the drawing commands fill it on the null driver: the
// colours of each kind of draw, the frame's limits, texts and fonts.
#include "api/draw_commands.h"

#include <array>
#include <optional>
#include <string>

#include "api/draw_queue.h"
#include "api/effect_commands.h"
#include "api/render_frame.h"
#include "tests/api/commands_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

using DrawCommandsTest = test::EngineCommandsTest;

const STkDrawEntry& last() { return drawQueue().entry(drawQueue().size() - 1); }

TEST(DrawColourTest, AlphaIsCutAndOnlyTheColoursLowBytesCount) {
  struct Case {
    int alpha;
    unsigned colour;
    irr::u32 expected;
  };
  const Case cases[] = {
      {255, 0xFFFFFF, 0xFFFFFFFF}, {128, 0x102030, 0x80102030}, {300, 0x102030, 0xFF102030},
      {-5, 0x102030, 0x00102030},  {0, 0xAB102030, 0x00102030}, {255, 0xFF000000, 0xFF000000},
  };
  for (const Case& c : cases) EXPECT_EQ(drawColour(c.alpha, c.colour), c.expected) << c.alpha << " " << c.colour;
}

TEST_F(DrawCommandsTest, BoxesAndLinesTakeTheInkOfTheirCall) {
  Box(1, 2, 3, 4);
  EXPECT_EQ(last().kind, DrawKind::Box);
  EXPECT_EQ(last().colour, 0xFFFFFFFFu);
  Ink(0x123456);
  InkAlpha(300);  // kept as given, cut when drawn
  Line(5, 6, 7, 8);
  EXPECT_EQ(last().kind, DrawKind::Line);
  EXPECT_EQ(last().colour, 0xFF123456u);
  EXPECT_EQ((std::array<int, 4>{last().x1, last().y1, last().x2, last().y2}), (std::array<int, 4>{5, 6, 7, 8}));
  Ink(static_cast<int>(0x7F00FF00));
  InkAlpha(64);
  Box(0, 0, 1, 1);
  EXPECT_EQ(last().colour, 0x4000FF00u);
}

TEST_F(DrawCommandsTest, TextStateIsStoredCutAndMasked) {
  const std::string hello = "Hello";
  SetTextColor(0xAB102030);
  SetTextAlpha(300);
  EXPECT_EQ(TextColor(), 0x102030);
  EXPECT_EQ(TextAlpha(), 255);
  SetTextAlpha(-5);
  EXPECT_EQ(TextAlpha(), 0);
  SetTextAlpha(99);
  Text(3, 4, hello.data(), hello.size());
  EXPECT_EQ(last().kind, DrawKind::Text);
  EXPECT_EQ(last().colour, 0x63102030u);
  EXPECT_EQ(last().font, nullptr);
  EXPECT_EQ(std::wstring(drawQueue().text(last().textSlot)), L"Hello");
  // The display library's built-in font, on any driver.
  EXPECT_EQ(TextWidth(hello.data(), hello.size()), 18);
  EXPECT_EQ(TextHeight(hello.data(), hello.size()), 10);
}

TEST_F(DrawCommandsTest, AFullFrameDropsTheDrawAndTheNextFrameStartsEmpty) {
  for (int i = 0; i < kDrawQueueCapacity; ++i) Box(i, 0, i + 1, 1);
  EXPECT_EQ(failure(), "");
  Line(0, 0, 1, 1);
  EXPECT_EQ(failure(), "-1: too many 2D draws in one frame");
  EXPECT_EQ(drawQueue().size(), kDrawQueueCapacity);
  EXPECT_EQ(last().kind, DrawKind::Box);
  renderFrame();
  EXPECT_EQ(drawQueue().size(), 0);
  Box(0, 0, 1, 1);
  EXPECT_EQ(failure(), "");
}

TEST_F(DrawCommandsTest, TheSixtyFifthTextIsRefusedWithRoomInTheQueue) {
  for (int i = 0; i < kDrawTextSlots; ++i) Text(0, i, "x", 1);
  EXPECT_EQ(failure(), "");
  Text(0, 0, "y", 1);
  EXPECT_EQ(failure(), "-1: too many 2D draws in one frame");
  EXPECT_EQ(drawQueue().size(), kDrawTextSlots);
  Box(0, 0, 1, 1);  // other draws still fit
  EXPECT_EQ(failure(), "");
}

TEST_F(DrawCommandsTest, AnUnknownEffectQueuesNoBox) {
  BoxWithEffect(0, 0, 10, 10, 4);
  EXPECT_EQ(failure(), "5: Effect ID 4 does not exist. id 4 does not exist");
  EXPECT_EQ(drawQueue().size(), 0);
}

TEST_F(DrawCommandsTest, FontsThatCannotBeLoadedKeepTheCurrentOne) {
  test::TempFolder folder;
  // A picture with no character marks, and a file named as a TrueType font.
  irr::video::IImage* image = tkEngine().driver->createImage(irr::video::ECF_A8R8G8B8, {8, 8});
  image->fill(irr::video::SColor(255, 10, 20, 30));
  const std::string picture = folder.path() + "/plain.png";
  ASSERT_TRUE(tkEngine().driver->writeImageToFile(image, picture.c_str()));
  image->drop();
  const std::string files[] = {folder.path() + "/missing.xml", picture,
                               folder.write("font.ttf", "not really a font")};
  for (const std::string& file : files) {
    SetTextFont(file.c_str());
    EXPECT_EQ(failure(), "1: The font '" + file + "' cannot be loaded");
    EXPECT_EQ(TextFont(), std::nullopt);
  }
  SetTextFont("");
  EXPECT_EQ(failure(), "");
  EXPECT_EQ(TextFont(), std::nullopt);
}

// A font picture as the GUI reads one: its first three pixels give the colours
// of the upper-left and lower-right marks and of the background, and each
// character from the space on is a box between one mark of each, left to right.
void writeMarkedFont(const std::string& path, int characters, int boxWidth) {
  const irr::video::SColor upperLeft(255, 255, 0, 0), lowerRight(255, 255, 255, 0), background(255, 0, 0, 0);
  const int width = 3 + characters * (boxWidth + 1);
  irr::video::IImage* image = tkEngine().driver->createImage(irr::video::ECF_A8R8G8B8,
                                                              irr::core::dimension2du(width, 12));
  image->fill(background);
  image->setPixel(0, 0, upperLeft);
  image->setPixel(1, 0, lowerRight);
  image->setPixel(2, 0, background);
  for (int c = 1; c < characters; ++c) {
    const int x = 3 + c * (boxWidth + 1);
    image->setPixel(x, 2, upperLeft);
    image->setPixel(x + boxWidth - 1, 10, lowerRight);
    image->setPixel(x + 1, 5, irr::video::SColor(255, 255, 255, 255));
  }
  ASSERT_TRUE(tkEngine().driver->writeImageToFile(image, path.c_str()));
  image->drop();
}

TEST_F(DrawCommandsTest, ABitmapFontMeasuresAndQueuesTexts) {
  test::TempFolder folder;
  const std::string file = folder.path() + "/marked.png";
  writeMarkedFont(file, 96, 6);
  const std::string text = "AAAA";
  const int builtIn = TextWidth(text.data(), text.size());
  SetTextFont(file.c_str());
  ASSERT_EQ(failure(), "");
  EXPECT_EQ(TextFont(), file);
  const int width = TextWidth(text.data(), text.size());
  EXPECT_NE(width, builtIn);
  EXPECT_GT(width, 0);
  EXPECT_EQ(TextWidth("AA", 2) * 2, width);
  Text(0, 0, text.data(), text.size());
  EXPECT_NE(last().font, nullptr);
  SetTextFont("");
  EXPECT_EQ(TextFont(), std::nullopt);
  EXPECT_EQ(TextWidth("Hello", 5), 18);
}

}  // namespace
}  // namespace tk
