// How far the glow pyramid reaches for a radius.
#include "render/post/post_glow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>


namespace tk {
namespace {

TEST(GlowLevelsTest, TheRadiusDecidesWhichSmallLevelsAreUsedAndHowMuch) {
  struct Case {
    float radius;
    float size, level1, level2, level3;
  } cases[] = {
      {16, 2, 0, 0, 0},   // half and quarter only
      {24, 3, 0.5f, 0, 0},
      {32, 4, 1, 0.5f, 0},
      {40, 5, 1, 1, 0.5f},
      {48, 6, 1, 1, 1},   // every level at full weight
      {480, 60, 1, 1, 1},
      {0, 0, 0, 0, 0},
      {-48, -6, 0, 0, 0},
      {std::numeric_limits<float>::quiet_NaN(), 0, 0, 0, 0},
      {std::numeric_limits<float>::infinity(), 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const STkGlowLevels levels = glowLevels(c.radius);
    EXPECT_FLOAT_EQ(levels.size, c.size) << c.radius;
    EXPECT_FLOAT_EQ(levels.level1, c.level1) << c.radius;
    EXPECT_FLOAT_EQ(levels.level2, c.level2) << c.radius;
    EXPECT_FLOAT_EQ(levels.level3, c.level3) << c.radius;
  }
}

}  // namespace
}  // namespace tk
