#include "base/timer.h"

#include <chrono>

namespace tk {

int32_t timerMilliseconds() {
  using Clock = std::chrono::steady_clock;
  static const Clock::time_point origin = Clock::now();
  auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - origin);
  return static_cast<int32_t>(elapsed.count());
}

}  // namespace tk
