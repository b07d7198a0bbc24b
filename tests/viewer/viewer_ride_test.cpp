#include "viewer/viewer_ride.h"

#include <gtest/gtest.h>

namespace tk {
namespace {

TEST(ViewerRideTest, SpeedFromTheCommandLine) {
  struct Case {
    int given, speed;
  } cases[] = {{0, 1000}, {250, 250}, {1, 1}, {-40, 1}};
  for (const Case& c : cases) EXPECT_EQ(ViewerRide(0, c.given).speed(), c.speed) << c.given;
}

}  // namespace
}  // namespace tk
