// Where the window and its controls lie at a display scale: the control table's
// 96-DPI numbers, each scaled by ScaleForDpi.
#pragma once

#include "app/control_table.h"

struct Placement {
  int x, y;
  int width, height;
};

Placement ControlPlacement(const ControlSpec& control, int dpi);
// pageTabs, at the client origin.
Placement TabsPlacement(int dpi);
// The outer rectangle, frame and caption included, centred on a screen of the given size.
Placement WindowPlacement(int screenWidth, int screenHeight, int dpi);
