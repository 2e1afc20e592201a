// Waiting on the window's thread without freezing the window.
#pragma once

#include <cstdint>

// Milliseconds per duration unit: 0 → 1, 1 → 1000, 2 → 60000, 3 → 3600000,
// any other value → the value itself.
int64_t PumpWaitMultiplier(int64_t unit);

// duration × multiplier × −10000 in double, truncated toward zero: a due time in
// 100-nanosecond intervals, negative meaning relative to now. A product beyond
// the signed 64-bit range saturates (INT64_MIN for a wait too long to count).
int64_t PumpWaitDueTime(int32_t duration, int64_t unit = 0);

// Waits for duration units (unit as above; omitted: milliseconds) on a one-shot
// timer, dispatching the thread's messages whenever they arrive; handlers may
// run nested inside. Returns true in every case.
bool PumpWait(int32_t duration, int64_t unit = 0);
