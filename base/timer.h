#pragma once
// The millisecond timer shared by the script command and every loop.

#include <cstdint>

namespace tk {

// Milliseconds since the first query of the process; the first query returns 0.
int32_t timerMilliseconds();

}  // namespace tk
