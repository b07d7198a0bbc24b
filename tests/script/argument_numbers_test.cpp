// The rule by which script numbers become command arguments, value by value:
// every extreme lands on the same end of the range, whatever its size.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

#include "script/argument_numbers.h"

namespace tk {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct NumberCase {
  double number;
  int integer;
  unsigned word;
  float real;
};

TEST(ArgumentNumbers, EveryNumberHasOneValueInEachKind) {
  const NumberCase cases[] = {
      {0, 0, 0u, 0.0f},
      {-0.0, 0, 0u, -0.0f},
      {2.9, 2, 2u, 2.9f},
      {-2.9, -2, 0xFFFFFFFEu, -2.9f},
      {-1, -1, 0xFFFFFFFFu, -1.0f},
      {0x112233, 0x112233, 0x112233u, 1122867.0f},
      {2147483647.0, INT_MAX, 0x7FFFFFFFu, 2147483647.0f},
      {2147483648.0, INT_MAX, 0x80000000u, 2147483648.0f},
      {4294967295.0, INT_MAX, 0xFFFFFFFFu, 4294967295.0f},
      {4294967296.0, INT_MAX, 0xFFFFFFFFu, 4294967296.0f},
      {9007199254740992.0, INT_MAX, 0xFFFFFFFFu, 9007199254740992.0f},  // 2^53
      {9223372036854775808.0, INT_MAX, 0xFFFFFFFFu, 9223372036854775808.0f},  // 2^63
      {1e300, INT_MAX, 0xFFFFFFFFu, FLT_MAX},
      {kInf, INT_MAX, 0xFFFFFFFFu, FLT_MAX},
      {-2147483648.0, INT_MIN, 0x80000000u, -2147483648.0f},
      {-2147483649.0, INT_MIN, 0x80000000u, -2147483649.0f},
      {-9223372036854775808.0, INT_MIN, 0x80000000u, -9223372036854775808.0f},
      {-1e300, INT_MIN, 0x80000000u, -FLT_MAX},
      {-kInf, INT_MIN, 0x80000000u, -FLT_MAX},
      {static_cast<double>(FLT_MAX) * 2, INT_MAX, 0xFFFFFFFFu, FLT_MAX},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(argumentInteger(c.number), c.integer) << c.number;
    EXPECT_EQ(argumentUnsigned(c.number), c.word) << c.number;
    EXPECT_EQ(argumentFloat(c.number), c.real) << c.number;
  }
}

TEST(ArgumentNumbers, NanStaysTotalThoughTheReaderRefusesIt) {
  const double nan = std::nan("");
  EXPECT_EQ(argumentInteger(nan), 0);
  EXPECT_EQ(argumentUnsigned(nan), 0u);
  EXPECT_EQ(argumentFloat(nan), 0.0f);
}

}  // namespace
}  // namespace tk
