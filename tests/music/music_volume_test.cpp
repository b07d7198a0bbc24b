#include "music/music_volume.h"

#include <gtest/gtest.h>

namespace tk {
namespace {

struct VolumeCase {
  int percent;
  int stored;    // hundredths of a decibel
  int readBack;  // percent answered for the stored volume
};

// The approximations do not give back every value set: 75 reads as 73, 10 as 9.
const VolumeCase kVolumeCases[] = {
    {100, 0, 100}, {50, -602, 50}, {75, -250, 73}, {10, -1998, 9},
    {0, -10000, 0}, {150, 0, 100}, {-50, -602, 50},
};

TEST(MusicVolume, PercentToHundredthsOfDecibelAndBack) {
  for (const VolumeCase& c : kVolumeCases) {
    int stored = musicVolumeFromPercent(c.percent);
    EXPECT_EQ(stored, c.stored) << c.percent;
    EXPECT_EQ(musicPercentFromVolume(stored), c.readBack) << c.percent;
  }
}

TEST(MusicVolume, StaysWithinSilenceAndFullVolume) {
  for (int percent = -300; percent <= 300; ++percent) {
    int stored = musicVolumeFromPercent(percent);
    EXPECT_GE(stored, kMusicVolumeMin) << percent;
    EXPECT_LE(stored, kMusicVolumeMax) << percent;
  }
}

}  // namespace
}  // namespace tk
