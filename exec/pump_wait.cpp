#include "exec/pump_wait.h"

#include <limits>

int64_t PumpWaitMultiplier(int64_t unit) {
  switch (unit) {
    case 0:
      return 1;
    case 1:
      return 1000;
    case 2:
      return 60000;
    case 3:
      return 3600000;
  }
  return unit;
}

int64_t PumpWaitDueTime(int32_t duration, int64_t unit) {
  double due = static_cast<double>(duration) * static_cast<double>(PumpWaitMultiplier(unit)) * -10000.0;
  // 2^63 is exact in double; converting a value at or beyond it would be undefined.
  constexpr double kLimit = 9223372036854775808.0;
  if (due >= kLimit) return std::numeric_limits<int64_t>::max();
  if (due <= -kLimit) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(due);
}
