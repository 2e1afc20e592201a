#include "app/layout.h"

#include "runtime/dpi.h"

Placement ControlPlacement(const ControlSpec& control, int dpi) {
  return {ScaleForDpi(control.x, dpi), ScaleForDpi(control.y, dpi), ScaleForDpi(control.width, dpi),
          ScaleForDpi(control.height, dpi)};
}

Placement TabsPlacement(int dpi) { return {0, 0, ScaleForDpi(kTabsWidth, dpi), ScaleForDpi(kTabsHeight, dpi)}; }

Placement WindowPlacement(int screenWidth, int screenHeight, int dpi) {
  int width = ScaleForDpi(kWindowWidth, dpi);
  int height = ScaleForDpi(kWindowHeight, dpi);
  return {(screenWidth - width) / 2, (screenHeight - height) / 2, width, height};
}
