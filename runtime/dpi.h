// Lengths of the 96-DPI layout at other display scales.
#pragma once

// The DPI at which every length of the window, its controls and the skins is given.
constexpr int kLayoutDpi = 96;

// value × dpi / 96, rounded to the nearest whole pixel with halves away from
// zero: exactly what MulDiv(value, dpi, 96) gives, so that the layout, the
// fonts and the skin engine agree to the pixel.
int ScaleForDpi(int value, int dpi);
