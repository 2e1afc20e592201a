#include "runtime/dpi_win.h"

#include "runtime/dpi.h"
#include "runtime/system_win.h"

namespace {

// Windows 10 1607 and later; looked up in user32, which every program has loaded.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

struct PerMonitorFunctions {
  GetDpiForWindowFn dpiForWindow = nullptr;
  GetSystemMetricsForDpiFn metricsForDpi = nullptr;
  SystemParametersInfoForDpiFn parametersForDpi = nullptr;
};

const PerMonitorFunctions& PerMonitor() {
  static const PerMonitorFunctions functions = [] {
    PerMonitorFunctions found;
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32) {
      ResolveExport(user32, "GetDpiForWindow", found.dpiForWindow);
      ResolveExport(user32, "GetSystemMetricsForDpi", found.metricsForDpi);
      ResolveExport(user32, "SystemParametersInfoForDpi", found.parametersForDpi);
    }
    return found;
  }();
  return functions;
}

}  // namespace

int SystemDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    int found = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return found > 0 ? found : kLayoutDpi;
  }();
  return dpi;
}

int ScaleFromSystemDpi(int length, int dpi) { return MulDiv(length, dpi, SystemDpi()); }

int WindowDpi(HWND window) {
  UINT dpi = PerMonitor().dpiForWindow ? PerMonitor().dpiForWindow(window) : 0;
  return dpi ? static_cast<int>(dpi) : SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
  if (PerMonitor().metricsForDpi) return PerMonitor().metricsForDpi(index, static_cast<UINT>(dpi));
  return ScaleFromSystemDpi(GetSystemMetrics(index), dpi);
}

bool CaptionFontForDpi(int dpi, LOGFONTW& font) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  auto forDpi = PerMonitor().parametersForDpi;
  BOOL found = forDpi ? forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))
                      : SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  if (!found) return false;
  font = metrics.lfCaptionFont;
  if (!forDpi) font.lfHeight = ScaleFromSystemDpi(font.lfHeight, dpi), font.lfWidth = 0;
  return true;
}
