#include <gtest/gtest.h>

#include "render/loading/loading_screen.h"

namespace tk {
namespace {

irr::core::recti rect(int x0, int y0, int x1, int y1) { return irr::core::recti(x0, y0, x1, y1); }

TEST(LoadingBarTest, NestedRectanglesCentredOnTheScreen) {
  LoadingBarRects bar = loadingBarRects(640, 480, 0, 50);
  EXPECT_EQ(bar.frame, rect(160, 216, 480, 264));
  EXPECT_EQ(bar.back, rect(166, 222, 474, 258));
  EXPECT_EQ(bar.inner, rect(172, 228, 468, 252));
  EXPECT_EQ(bar.fill, rect(172, 228, 320, 252));
}

TEST(LoadingBarTest, APictureMovesTheBarBelowIt) {
  LoadingBarRects bar = loadingBarRects(640, 480, 100, 0);
  EXPECT_EQ(bar.frame, rect(160, 314, 480, 362));  // 48 + 50 below the centre
  EXPECT_EQ(bar.fill.getWidth(), 0);
}

TEST(LoadingBarTest, FillStaysInsideTheBar) {
  struct Case {
    float percent;
    int width;
  } cases[] = {{0, 0}, {25, 74}, {100, 296}, {129, 296}, {-5, 0}};
  for (const Case& c : cases) {
    LoadingBarRects bar = loadingBarRects(640, 480, 0, c.percent);
    EXPECT_EQ(bar.fill.getWidth(), c.width) << c.percent;
    EXPECT_EQ(bar.fill.UpperLeftCorner, bar.inner.UpperLeftCorner) << c.percent;
  }
}

TEST(LoadingBarTest, TinyScreensKeepAtLeastOnePixel) {
  LoadingBarRects bar = loadingBarRects(8, 8, 0, 100);
  EXPECT_GE(bar.back.getWidth(), 1);
  EXPECT_GE(bar.back.getHeight(), 1);
  EXPECT_GE(bar.inner.getWidth(), 1);
  EXPECT_GE(bar.inner.getHeight(), 1);
}

}  // namespace
}  // namespace tk
