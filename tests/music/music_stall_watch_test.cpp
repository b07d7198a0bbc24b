// Telling a music that moves on from one whose position stands still.
#include "music/music_stall_watch.h"

#include <gtest/gtest.h>

#include <vector>

namespace tk {
namespace {

struct Read {
  int64_t position, now;
  bool stalled;
};

struct StallCase {
  const char* what;
  std::vector<Read> reads;
};

TEST(MusicStallWatch, APositionThatStandsStillForTheStallTimeIsAStall) {
  const StallCase cases[] = {
      {"moving on", {{0, 1000, false}, {100, 1100, false}, {2200, 3200, false}, {5000, 9000, false}}},
      {"still, but not for long enough", {{300, 1000, false}, {300, 2999, false}, {301, 3500, false}}},
      {"still for the stall time", {{300, 1000, false}, {300, 2000, false}, {300, 3000, true}}},
      {"a stall stays one", {{300, 1000, false}, {300, 3500, true}, {400, 3600, true}}},
      {"going back counts as moving", {{900, 1000, false}, {100, 2900, false}, {100, 4800, false}}},
  };
  for (const StallCase& c : cases) {
    MusicStallWatch watch(2000);
    for (const Read& read : c.reads)
      EXPECT_EQ(watch.stalled(read.position, read.now), read.stalled) << c.what << " at " << read.now;
  }
}

TEST(MusicStallWatch, RestartForgetsTheStall) {
  MusicStallWatch watch(2000);
  watch.stalled(500, 0);
  ASSERT_TRUE(watch.stalled(500, 2000));
  watch.restart();
  EXPECT_FALSE(watch.stalled(500, 2100));  // the standing time counts from here
  EXPECT_FALSE(watch.stalled(500, 4099));
  EXPECT_TRUE(watch.stalled(500, 4100));
}

}  // namespace
}  // namespace tk
