// The waiting part of PumpWait, open to the Wine tests of its failure paths.
#pragma once

#include <windows.h>

#include <cstdint>

// Sets `timer` once to `dueTime` and waits on it, dispatching messages on every
// other wake. When the timer cannot be set (nullptr included) or the wait fails,
// waits out the rest of the due time with bounded message waits instead.
void WaitOnTimer(HANDLE timer, int64_t dueTime);
