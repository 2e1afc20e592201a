// Elapsed time for the Wine tests and benchmarks that time message delivery.
#pragma once

#include <windows.h>

// Milliseconds since the first call. Stamps travel in an LPARAM as microseconds,
// which a 32-bit LPARAM holds for 35 minutes from the origin, not from boot.
inline double Milliseconds() {
  static const LONGLONG origin = [] {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
  }();
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart - origin) * 1000.0 / static_cast<double>(frequency.QuadPart);
}
