// The projection jitter: the offsets of each pattern, the random pattern's
// generator and where the offset lands in the matrices.
#include <gtest/gtest.h>

#include "render/post/jitter.h"

namespace tk {
namespace {

TEST(JitterTest, PatternOffsetsOfTheFirstEightFrames) {
  struct Case {
    int setting;
    STkJitterOffset offsets[8];  // frames 1 to 8
  } cases[] = {
      {1, {{0.25f, -0.25f}, {-0.25f, 0.25f}, {0.25f, -0.25f}, {-0.25f, 0.25f},
           {0.25f, -0.25f}, {-0.25f, 0.25f}, {0.25f, -0.25f}, {-0.25f, 0.25f}}},
      {2, {{0.375f, -0.125f}, {0.125f, 0.375f}, {-0.125f, -0.375f}, {-0.375f, 0.125f},
           {0.375f, -0.125f}, {0.125f, 0.375f}, {-0.125f, -0.375f}, {-0.375f, 0.125f}}},
      {3, {{-0.080382f, 0.198049f}, {0.319618f, 0.080402f}, {-0.201951f, -0.319598f}, {-0.319598f, 0.319618f},
           {-0.441166f, -0.080382f}, {0.198049f, 0.441186f}, {0.441186f, -0.441166f}, {0.080402f, -0.201951f}}},
      {0, {}},
  };
  for (const Case& c : cases) {
    STkJitterRandom random;
    for (irr::u32 n = 1; n <= 8; ++n) {
      const STkJitterOffset o = jitterOffset(c.setting, n, &random);
      EXPECT_FLOAT_EQ(o.x, c.offsets[n - 1].x) << "setting " << c.setting << ", frame " << n;
      EXPECT_FLOAT_EQ(o.y, c.offsets[n - 1].y) << "setting " << c.setting << ", frame " << n;
    }
    EXPECT_EQ(random.state, 0u) << "the patterns draw nothing from the generator";
  }
}

// From state 0: s1 = 2531011 = 0x269EC3, output (s1 >> 16) & 0x7FFF = 0x26 = 38;
// s2 = 2531011 * 214013 + 2531011 mod 2^32 = 505908858 = 0x1E278E7A, output
// 0x1E27 = 7719. oy = 38 / 32767 - 0.5, ox = 7719 / 32767 - 0.5.
TEST(JitterTest, TheRandomPatternDrawsTwoOutputsPerFrameAndKeepsItsState) {
  for (int setting : {4, -1, 100}) {
    STkJitterRandom random;
    const STkJitterOffset first = jitterOffset(setting, 1, &random);
    EXPECT_FLOAT_EQ(first.y, 38.0f / 32767.0f - 0.5f) << setting;
    EXPECT_FLOAT_EQ(first.x, 7719.0f / 32767.0f - 0.5f) << setting;
    EXPECT_EQ(random.state, 505908858u) << setting;
    const STkJitterOffset second = jitterOffset(setting, 1, &random);
    EXPECT_NE(second.x, first.x) << "the state goes on, whatever the frame number";
  }
}

TEST(JitterTest, TheOffsetIsAClipSpaceTranslationAfterTheProjection) {
  const irr::core::matrix4 jitter = jitterTranslation({0.25f, -0.5f}, 100, 50);
  for (int i = 0; i < 16; ++i) {
    const float expected = i == 12 ? 0.005f : i == 13 ? -0.02f : (i % 5 == 0 ? 1.0f : 0.0f);
    EXPECT_FLOAT_EQ(jitter[i], expected) << "element " << i;
  }
  irr::core::matrix4 projection;
  projection.buildProjectionMatrixPerspectiveFovLH(1.0f, 2.0f, 0.5f, 100.0f);
  const irr::core::matrix4 jittered = jitteredProjection(projection, jitter);
  // The point as a row vector times each matrix.
  float plain[4] = {1.0f, 2.0f, 10.0f, 1.0f};
  float moved[4] = {1.0f, 2.0f, 10.0f, 1.0f};
  projection.multiplyWith1x4Matrix(plain);
  jittered.multiplyWith1x4Matrix(moved);
  // Clip x and y move by the offset times w; the picture moves by the offset in NDC.
  EXPECT_FLOAT_EQ(moved[0], plain[0] + 0.005f * plain[3]);
  EXPECT_FLOAT_EQ(moved[1], plain[1] - 0.02f * plain[3]);
  EXPECT_FLOAT_EQ(moved[2], plain[2]);
  EXPECT_FLOAT_EQ(moved[3], plain[3]);
  EXPECT_EQ(jitterTranslation({0.25f, 0.25f}, 0, 0), irr::core::matrix4()) << "no screen, no offset";
}

TEST(JitterTest, EachRendererKindCountsItsOwnFrames) {
  const irr::u32 lpp = nextJitterFrame(EJitterCounter::LightPrePass);
  const irr::u32 cmds = nextJitterFrame(EJitterCounter::CommandRenderers);
  EXPECT_EQ(nextJitterFrame(EJitterCounter::CommandRenderers), cmds + 1);
  EXPECT_EQ(nextJitterFrame(EJitterCounter::LightPrePass), lpp + 1);
}

}  // namespace
}  // namespace tk
