// The display scale of windows and what the system draws at it, on every
// Windows from 7 on: the per-monitor functions where the system has them, the
// system DPI scaled otherwise.
#pragma once

#include <windows.h>

// The DPI of the screen: the one the system's metrics and stock fonts are made for.
int SystemDpi();
// A length made for the system DPI (a system metric, a stock or system font's
// height) at `dpi`.
int ScaleFromSystemDpi(int length, int dpi);
// The DPI of the monitor the window is on, or SystemDpi where the system cannot say.
int WindowDpi(HWND window);
// GetSystemMetrics as it stands at `dpi`.
int SystemMetricForDpi(int index, int dpi);
// The system's caption font at `dpi`; false when the system gives none.
bool CaptionFontForDpi(int dpi, LOGFONTW& font);
