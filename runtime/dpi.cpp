#include "runtime/dpi.h"

int ScaleForDpi(int value, int dpi) {
  long long product = static_cast<long long>(value) * dpi;
  long long half = kLayoutDpi / 2;
  return static_cast<int>((product >= 0 ? product + half : product - half) / kLayoutDpi);
}
