// The display-scale arithmetic: one scaling of the 96-DPI layout.
#include "app/layout.h"

#include <gtest/gtest.h>

#include "actions/control_ids.h"
#include "runtime/dpi.h"

namespace {

TEST(ScaleForDpi, RoundsAsMulDivDoes) {
  struct Case {
    int value, dpi, scaled;
  } const cases[] = {
      {402, 96, 402},  {290, 96, 290},  {-21, 96, -21},  {0, 144, 0},      // 96 is the identity
      {402, 144, 603}, {290, 144, 435}, {400, 120, 500}, {402, 192, 804},  // exact
      {402, 120, 503}, {13, 120, 16},   {1, 120, 1},     {1, 144, 2},      // halves and quarters
      {-21, 120, -26}, {-21, 144, -32}, {-21, 192, -42}, {-1, 144, -2},    // negatives: halves away from 0
      {7, 168, 12},    {3, 72, 2},      {-3, 72, -2},    {2, 100, 2},      // other scales
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScaleForDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
  }
}

TEST(Layout, WindowAndTabsScaleAndCentre) {
  Placement at96 = WindowPlacement(1024, 768, 96);
  EXPECT_EQ(at96.x, (1024 - 402) / 2);
  EXPECT_EQ(at96.y, (768 - 290) / 2);
  EXPECT_EQ(at96.width, 402);
  EXPECT_EQ(at96.height, 290);

  Placement at144 = WindowPlacement(1920, 1080, 144);
  EXPECT_EQ(at144.width, 603);
  EXPECT_EQ(at144.height, 435);
  EXPECT_EQ(at144.x, (1920 - 603) / 2);
  EXPECT_EQ(at144.y, (1080 - 435) / 2);

  Placement tabs = TabsPlacement(120);
  EXPECT_EQ(tabs.x, 0);
  EXPECT_EQ(tabs.y, 0);
  EXPECT_EQ(tabs.width, 500);
  EXPECT_EQ(tabs.height, 330);
}

TEST(Layout, EveryControlKeepsItsTableNumbersAt96AndScalesEachEdge) {
  for (int i = 0; i < kControlCount; ++i) {
    const ControlSpec& control = kControls[i];
    Placement same = ControlPlacement(control, 96);
    EXPECT_EQ(same.x, control.x);
    EXPECT_EQ(same.y, control.y);
    EXPECT_EQ(same.width, control.width);
    EXPECT_EQ(same.height, control.height);
  }
  const ControlSpec& tracert = *FindControl(tracertCheck);  // 96,200, 64 × 24
  Placement at120 = ControlPlacement(tracert, 120);
  EXPECT_EQ(at120.x, 120);
  EXPECT_EQ(at120.y, 250);
  EXPECT_EQ(at120.width, 80);
  EXPECT_EQ(at120.height, 30);
}

}  // namespace
