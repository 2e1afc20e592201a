// Where the engine puts what it draws in a control, at 96 DPI: it draws each
// length scaled to the control's DPI.
#pragma once

// A check box: the box's side, its distance from the control's left edge, and
// the gap between the box and the caption.
constexpr int kCheckBoxSide = 13;
constexpr int kCheckBoxLeft = 1;
constexpr int kCheckBoxGap = 4;

// A push button: the caption's margins, left and right, top and bottom.
constexpr int kButtonTextMarginX = 4;
constexpr int kButtonTextMarginY = 2;
