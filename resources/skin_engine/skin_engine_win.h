// The engine's shared state and drawing routines (Win32 side of SkinH_EL.dll).
#pragma once

#include <windows.h>

#include "resources/skin_engine/skin_format.h"

// What the engine keeps for the skin in force.
struct EngineSkin {
  Skin skin;
  HBRUSH windowBrush = nullptr;
  HBRUSH pageBrush = nullptr;
  HBRUSH editBrush = nullptr;
  HFONT font = nullptr;  // nullptr: controls keep their own font
};

extern EngineSkin engine;

enum SkinnedKind : int { kContainer = 1, kPushButton, kCheckButton, kEditBox, kTabs, kLabel };

COLORREF Colour(SkinColour role);
// The colour under the controls of a container: the page colour where the
// controls lie on a tab control, the window colour elsewhere.
COLORREF SurfaceColour(HWND container);
HBRUSH SurfaceBrush(HWND container);

void PaintPushButton(HWND button, HDC dc, bool hot);
void PaintCheckButton(HWND button, HDC dc, bool hot);
void PaintTabs(HWND tabs, HDC dc, int hotItem);
void PaintEditFrame(HWND edit);
void PaintCaption(HWND window);
