// The temporal blend weight and when anti-aliasing counts as enabled.
#include <gtest/gtest.h>

#include "render/post/post_antialias.h"

namespace tk {
namespace {

TEST(AntialiasBlendWeightTest, ByWeightSettingJitterAndCut) {
  struct Case {
    int weight, jitter;
    bool cut;
    float expected;
  } cases[] = {
      {0, 0, false, 1.0f},        {0, 1, false, 0.5f},         {0, 2, false, 0.25f},     {0, 3, false, 0.125f},
      {0, 4, false, 0.0078125f},  {0, -1, false, 0.0078125f},  {1, 3, false, 1.0f},      {2, 0, false, 0.5f},
      {3, 0, false, 0.25f},       {4, 0, false, 0.125f},       {5, 0, false, 0.0625f},   {6, 0, false, 0.03125f},
      {7, 0, false, 0.015625f},   {8, 0, false, 0.0078125f},   {9, 0, false, 0.00390625f},
      {10, 0, false, 0.5f},       {-3, 0, false, 0.5f},        {3, 0, true, 1.0f},       {0, 3, true, 1.0f},
      {2, 0, true, 1.0f},
  };
  for (const Case& c : cases)
    EXPECT_EQ(antialiasBlendWeight(c.weight, c.jitter, c.cut), c.expected)
        << "weight " << c.weight << ", jitter " << c.jitter << ", cut " << c.cut;
}

TEST(AntialiasBlendWeightTest, EnabledBySmaaModeOrBlending) {
  struct Case {
    int mode, blending;
    bool enabled;
  } cases[] = {{0, 0, false}, {1, 0, true}, {0, 1, true}, {2, 0, true}, {0, 2, true}, {-1, 0, true}};
  for (const Case& c : cases) {
    STkRenderSettings settings;
    settings.antialias[kAntialiasMode] = c.mode;
    settings.antialias[kAntialiasBlending] = c.blending;
    EXPECT_EQ(CTkPostAntialias::isEnabled(settings), c.enabled) << c.mode << "," << c.blending;
  }
}

}  // namespace
}  // namespace tk
