#include "exec/pump_wait_win.h"

#include <algorithm>

#include "exec/pump_wait.h"
#include "runtime/handles_win.h"
#include "runtime/window.h"

namespace {

// Every kind of input but raw input.
constexpr DWORD kWakeMask =
    QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE | QS_HOTKEY;

uint64_t NowMilliseconds() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<uint64_t>(count.QuadPart / frequency.QuadPart * 1000 +
                               count.QuadPart % frequency.QuadPart * 1000 / frequency.QuadPart);
}

// When a wait that began at `start` with `dueTime` ends, in NowMilliseconds terms.
uint64_t DeadlineOf(int64_t dueTime, uint64_t start) {
  uint64_t hundredNanoseconds = 0;
  if (dueTime < 0) {
    hundredNanoseconds = static_cast<uint64_t>(-(dueTime + 1)) + 1;
  } else {
    FILETIME now;  // a positive due time is an absolute system time
    GetSystemTimeAsFileTime(&now);
    uint64_t current = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    if (static_cast<uint64_t>(dueTime) > current) hundredNanoseconds = static_cast<uint64_t>(dueTime) - current;
  }
  return start + (hundredNanoseconds + 9999) / 10000;
}

// Without a usable timer: message waits bounded by the time left, so neither a
// spin nor a wait that outlasts the due time.
void WaitDispatchingUntil(uint64_t deadline) {
  for (uint64_t now = NowMilliseconds(); now < deadline; now = NowMilliseconds()) {
    DWORD left = static_cast<DWORD>(std::min<uint64_t>(deadline - now, INFINITE - 1));
    DWORD result = MsgWaitForMultipleObjects(0, nullptr, FALSE, left, kWakeMask);
    if (result == WAIT_TIMEOUT) continue;
    if (result == WAIT_FAILED) Sleep(std::min<DWORD>(left, 10));
    ProcessEvents();
  }
}

}  // namespace

void WaitOnTimer(HANDLE timer, int64_t dueTime) {
  uint64_t start = NowMilliseconds();
  LARGE_INTEGER due;
  due.QuadPart = dueTime;
  if (!timer || !SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
    WaitDispatchingUntil(DeadlineOf(dueTime, start));
    return;
  }
  for (;;) {
    DWORD result = MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, kWakeMask);
    if (result == WAIT_OBJECT_0) return;
    if (result == WAIT_FAILED) {
      WaitDispatchingUntil(DeadlineOf(dueTime, start));
      return;
    }
    ProcessEvents();  // the timer is not set again: dispatching does not restart the wait
  }
}

bool PumpWait(int32_t duration, int64_t unit) {
  KernelHandle timer = OwnHandle(CreateWaitableTimerA(nullptr, FALSE, nullptr));
  WaitOnTimer(timer.get(), PumpWaitDueTime(duration, unit));
  return true;
}
