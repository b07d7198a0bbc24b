#include "platform/ui/video_modes.h"

#include <gtest/gtest.h>

namespace tk {
namespace {

TEST(VideoModesTest, FiltersDuplicatesAndSorts) {
  std::vector<VideoMode> modes = dialogModes({{1920, 1080, 32, 60}, {800, 600, 16, 60}, {1280, 720, 32, 75},
                                              {1280, 720, 32, 60}, {1024, 768, 32, 60}, {1280, 720, 64, 60}});
  ASSERT_EQ(modes.size(), 4u);
  EXPECT_EQ(modes[0].width, 1024);
  EXPECT_EQ(modes[1].width, 1280);
  EXPECT_EQ(modes[1].refresh, 75);  // the first of its kind is kept
  EXPECT_EQ(modes[2].bits, 64);
  EXPECT_EQ(modes[3].width, 1920);
}

TEST(VideoModesTest, LabelsAndPreselection) {
  EXPECT_EQ(modeLabel({800, 600, 32, 0}), " 800 x  600");
  EXPECT_EQ(modeLabel({1280, 720, 32, 0}), "1280 x  720 (recommended)");
  std::vector<VideoMode> modes = {{1024, 768, 32, 0}, {1280, 720, 32, 0}, {1920, 1080, 32, 0}};
  EXPECT_EQ(preselectedMode(modes, {1024, 768, 32, 0}), 1);
  modes.erase(modes.begin() + 1);
  EXPECT_EQ(preselectedMode(modes, {1024, 768, 32, 0}), 0);
  EXPECT_EQ(preselectedMode(modes, {1600, 900, 32, 0}), 1);
  EXPECT_EQ(preselectedMode({{640, 480, 32, 0}}, {1600, 900, 32, 0}), -1);
}

}  // namespace
}  // namespace tk
