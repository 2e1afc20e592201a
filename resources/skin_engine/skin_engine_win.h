// The engine's shared state and drawing routines (Win32 side of SkinH_EL.dll).
#pragma once

#include <windows.h>

#include "resources/skin_engine/skin_format.h"
#include "resources/skin_engine/skin_metrics.h"

// What the engine keeps for the skin in force. The brushes and the font stay
// raw handles: they live from one SkinH_AttachRes to the next, Install deletes
// an earlier skin's brushes itself, and an earlier skin's font is kept alive on
// purpose because controls may still hold it.
struct EngineSkin {
  Skin skin;
  HBRUSH windowBrush = nullptr;
  HBRUSH pageBrush = nullptr;
  HBRUSH editBrush = nullptr;
  HFONT font = nullptr;  // nullptr: controls keep their own font
};

extern EngineSkin engine;

enum SkinnedKind : int {
  kSkinnedContainer = 1,
  kSkinnedPushButton,
  kSkinnedCheckButton,
  kSkinnedEditBox,
  kSkinnedTabs,
  kSkinnedLabel
};

// Set on a top-level window while it is inactive: its caption is drawn faded.
constexpr wchar_t kInactiveProperty[] = L"SkinH.Inactive";

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
