#include "exec/pump_wait.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct DueCase {
  int32_t duration;
  int64_t unit;
  int64_t due;
};

TEST(PumpWaitDueTime, FollowsTheUnitTableInDoubleAndTruncates) {
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  const DueCase cases[] = {
      {1, 0, -10000},        // one millisecond, the runner's poll
      {2, 1, -20000000},     // two seconds
      {3, 2, -1800000000},   // three minutes
      {1, 3, -36000000000},  // one hour
      {1, 7, -70000},        // any other unit counts its own milliseconds
      {5, -4, 200000},       // a negative unit too: a positive, absolute due time
      {-5, 0, 50000},
      {0, 1, 0},
      // Beyond 2^53 the product is a double, not the exact integer -9223356364519120000.
      {2147483647, 429496, -9223356364519119872},
      {2147483647, 3, kMin},  // beyond the 64-bit range: saturated
      {-2147483647 - 1, 3, kMax},
  };
  for (const DueCase& c : cases) {
    EXPECT_EQ(PumpWaitDueTime(c.duration, c.unit), c.due) << c.duration << " x unit " << c.unit;
  }
  EXPECT_EQ(PumpWaitDueTime(1), -10000) << "unit omitted";
}

TEST(PumpWaitMultiplier, NamedUnitsAndOthers) {
  EXPECT_EQ(PumpWaitMultiplier(0), 1);
  EXPECT_EQ(PumpWaitMultiplier(1), 1000);
  EXPECT_EQ(PumpWaitMultiplier(2), 60000);
  EXPECT_EQ(PumpWaitMultiplier(3), 3600000);
  EXPECT_EQ(PumpWaitMultiplier(4), 4);
  EXPECT_EQ(PumpWaitMultiplier(1000), 1000);
}

}  // namespace
