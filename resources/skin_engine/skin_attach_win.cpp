// SkinH_EL.dll: SkinH_AttachRes checks a skin, keeps a copy, and skins every
// window of the calling thread, those that exist and those created later.
#include <windows.h>
#include <commctrl.h>
#include <dwmapi.h>

#include <cstdint>
#include <iterator>
#include <string>

#include "resources/skin_engine/skin_engine_win.h"
#include "resources/skin_engine/skin_report.h"
#include "runtime/codepage_win.h"
#include "runtime/dpi.h"
#include "runtime/dpi_win.h"

EngineSkin engine;

namespace {

constexpr wchar_t kProcProperty[] = L"SkinH.Proc";
constexpr wchar_t kKindProperty[] = L"SkinH.Kind";
constexpr wchar_t kHotProperty[] = L"SkinH.Hot";  // hot item + 1

HHOOK creationHook;
DWORD hookThread;
bool ClassIs(HWND window, const wchar_t* name) {
  wchar_t found[64];
  return GetClassNameW(window, found, static_cast<int>(std::size(found))) && lstrcmpiW(found, name) == 0;
}

int KindOf(HWND window) {
  LONG style = GetWindowLongW(window, GWL_STYLE);
  if (!(style & WS_CHILD)) {
    // Our own program's windows and its dialogs and message boxes; never the
    // system's menus, tooltips or input-method windows.
    auto module = reinterpret_cast<HMODULE>(GetClassLongPtrW(window, GCLP_HMODULE));
    return ClassIs(window, L"#32770") || module == GetModuleHandleW(nullptr) ? kSkinnedContainer : 0;
  }
  if (ClassIs(window, L"Button")) {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        return kSkinnedPushButton;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        return kSkinnedCheckButton;
    }
    return 0;
  }
  if (ClassIs(window, L"Edit")) return ClassIs(GetParent(window), L"ComboBox") ? 0 : kSkinnedEditBox;
  if (ClassIs(window, WC_TABCONTROLW)) return kSkinnedTabs;
  if (ClassIs(window, L"Static")) return kSkinnedLabel;
  return 0;
}

// kind: kSkinnedPushButton or kSkinnedCheckButton.
void PaintButton(HWND window, int kind, HDC dc) {
  bool hot = GetPropW(window, kHotProperty) != nullptr;
  if (kind == kSkinnedPushButton)
    PaintPushButton(window, dc, hot);
  else
    PaintCheckButton(window, dc, hot);
}

void Repaint(HWND window, int kind) {
  if (!IsWindowVisible(window)) return;
  HDC dc = GetDC(window);
  PaintButton(window, kind, dc);
  ReleaseDC(window, dc);
}

// Hot tracking of buttons and tabs: the mouse is over part `hot` of the window
// (a button: 1; tabs: the item + 1; 0: none). A change asks for WM_MOUSELEAVE
// and redraws the window.
void SetHot(HWND window, INT_PTR hot) {
  if (hot == reinterpret_cast<INT_PTR>(GetPropW(window, kHotProperty))) return;
  SetPropW(window, kHotProperty, reinterpret_cast<HANDLE>(hot));
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
  TrackMouseEvent(&track);
  InvalidateRect(window, nullptr, FALSE);
}

// The mouse has left the window.
void ClearHot(HWND window) {
  RemovePropW(window, kHotProperty);
  InvalidateRect(window, nullptr, FALSE);
}

LRESULT EraseContainer(HWND window, HDC dc) {
  RECT rect;
  GetClientRect(window, &rect);
  FillRect(dc, &rect, engine.windowBrush);
  return 1;
}

// Edit boxes and list boxes wear the edit colours.
LRESULT EditColours(HDC dc) {
  SetTextColor(dc, Colour(kEditText));
  SetBkColor(dc, Colour(kEdit));
  return reinterpret_cast<LRESULT>(engine.editBrush);
}

// Labels and buttons lie on the container's surface; read-only and disabled
// edit boxes ask here too, and keep the edit colours.
LRESULT StaticColours(HWND container, HDC dc, HWND control) {
  if (ClassIs(control, L"Edit")) return EditColours(dc);
  SetTextColor(dc, IsWindowEnabled(control) ? Colour(kPageText) : Colour(kDisabledText));
  SetBkColor(dc, SurfaceColour(container));
  return reinterpret_cast<LRESULT>(SurfaceBrush(container));
}

// The caption fades while the window is inactive; the system draws its own
// caption in WM_NCACTIVATE, which ours then covers.
LRESULT Activate(HWND window, WNDPROC original, UINT message, WPARAM wParam, LPARAM lParam) {
  if (wParam)
    RemovePropW(window, kInactiveProperty);
  else
    SetPropW(window, kInactiveProperty, reinterpret_cast<HANDLE>(1));
  LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
  PaintCaption(window);
  return result;
}

// Messages on which the system redraws the caption straight away; ours goes over it.
LRESULT RedrawCaptionAfter(HWND window, WNDPROC original, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
  if (IsWindow(window) && IsWindowVisible(window)) PaintCaption(window);
  return result;
}

// The caption buttons are ours: a press on one does nothing, its release acts.
LRESULT CaptionButtonMessage(HWND window, WNDPROC original, UINT message, WPARAM hit, LPARAM lParam) {
  bool ours = hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON;
  if (message != WM_NCLBUTTONUP) return ours ? 0 : CallWindowProcW(original, window, message, hit, lParam);
  if (hit == HTCLOSE) return SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, lParam);
  if (hit == HTMINBUTTON && (GetWindowLongW(window, GWL_STYLE) & WS_MINIMIZEBOX)) {
    return SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, lParam);
  }
  return CallWindowProcW(original, window, message, hit, lParam);
}

LRESULT ContainerMessage(HWND window, WNDPROC original, UINT message, WPARAM wParam, LPARAM lParam) {
  auto dc = reinterpret_cast<HDC>(wParam);
  switch (message) {
    case WM_ERASEBKGND:
      return EraseContainer(window, dc);
    case WM_CTLCOLORDLG:
      return reinterpret_cast<LRESULT>(engine.windowBrush);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return StaticColours(window, dc, reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return EditColours(dc);
    case WM_NCPAINT:  // windows without a caption keep the system's frame
      if ((GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) break;
      PaintCaption(window);
      return 0;
    case WM_NCACTIVATE:
      return Activate(window, original, message, wParam, lParam);
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_SYSCOMMAND:
    case WM_ENABLE:
      return RedrawCaptionAfter(window, original, message, wParam, lParam);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCLBUTTONUP:
      return CaptionButtonMessage(window, original, message, wParam, lParam);
  }
  return CallWindowProcW(original, window, message, wParam, lParam);
}

LRESULT ButtonMessage(HWND window, int kind, WNDPROC original, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      PaintButton(window, kind, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      SetHot(window, 1);
      break;
    case WM_MOUSELEAVE:
      ClearHot(window);
      break;
    // The button draws itself straight away on these; our drawing goes over it.
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE: {
      LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
      if (IsWindow(window)) Repaint(window, kind);
      return result;
    }
  }
  return CallWindowProcW(original, window, message, wParam, lParam);
}

LRESULT TabsMessage(HWND window, WNDPROC original, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      PaintTabs(window, dc, static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(window, kHotProperty))) - 1);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE: {
      TCHITTESTINFO hit = {{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}, 0};
      SetHot(window, SendMessageW(window, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) + 1);
      break;
    }
    case WM_MOUSELEAVE:
      ClearHot(window);
      break;
  }
  return CallWindowProcW(original, window, message, wParam, lParam);
}

LRESULT EditMessage(HWND window, WNDPROC original, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCPAINT:
      if (GetWindowLongW(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) {
        CallWindowProcW(original, window, message, wParam, lParam);
      }
      PaintEditFrame(window);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE: {
      LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
      if (IsWindow(window)) PaintEditFrame(window);
      return result;
    }
  }
  return CallWindowProcW(original, window, message, wParam, lParam);
}

// A control set to the stock GUI font wears the skin's font, when the skin has one.
WPARAM SkinnedFont(WPARAM font) {
  return engine.font && reinterpret_cast<HGDIOBJ>(font) == GetStockObject(DEFAULT_GUI_FONT)
             ? reinterpret_cast<WPARAM>(engine.font)
             : font;
}

LRESULT CALLBACK SkinnedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetPropW(window, kProcProperty));
  int kind = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(window, kKindProperty)));
  if (!original) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    if (GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SkinnedProc)) {
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    for (const wchar_t* name : {kProcProperty, kKindProperty, kHotProperty, kInactiveProperty})
      RemovePropW(window, name);
    return CallWindowProcW(original, window, message, wParam, lParam);
  }
  if (message == WM_SETFONT) wParam = SkinnedFont(wParam);
  switch (kind) {
    case kSkinnedContainer:
      return ContainerMessage(window, original, message, wParam, lParam);
    case kSkinnedPushButton:
    case kSkinnedCheckButton:
      return ButtonMessage(window, kind, original, message, wParam, lParam);
    case kSkinnedTabs:
      return TabsMessage(window, original, message, wParam, lParam);
    case kSkinnedEditBox:
      return EditMessage(window, original, message, wParam, lParam);
  }
  return CallWindowProcW(original, window, message, wParam, lParam);
}

using SetAttributeFn = decltype(&DwmSetWindowAttribute);

// DwmSetWindowAttribute, or nullptr where there is none. dwmapi.dll is no
// KnownDLL: it is loaded from the system folder rather than imported.
SetAttributeFn LoadSetAttribute() {
  HMODULE dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return dwm ? reinterpret_cast<SetAttributeFn>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
             : nullptr;
}

// Some systems draw the frame of a window themselves unless told not to.
void KeepFrameOurs(HWND window) {
  // Loaded once for the process and never freed: freeing would fall to the
  // engine's unloading, where no library may be freed.
  static const SetAttributeFn setAttribute = LoadSetAttribute();
  DWORD disabled = DWMNCRP_DISABLED;
  if (setAttribute) setAttribute(window, DWMWA_NCRENDERING_POLICY, &disabled, sizeof disabled);
}

// Subclasses one window; true when it is one the engine draws.
bool SkinWindow(HWND window) {
  if (GetPropW(window, kProcProperty)) return true;
  int kind = KindOf(window);
  if (kind == 0) return false;
  auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  SetPropW(window, kProcProperty, reinterpret_cast<HANDLE>(original));
  SetPropW(window, kKindProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(kind)));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SkinnedProc));
  if (kind == kSkinnedContainer) KeepFrameOurs(window);
  return true;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) SkinWindow(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(creationHook, code, wParam, lParam);
}

struct Existing {
  int skinned;
};

BOOL CALLBACK SkinExistingChild(HWND window, LPARAM context) {
  if (SkinWindow(window)) ++reinterpret_cast<Existing*>(context)->skinned;
  auto font = static_cast<WPARAM>(SendMessageW(window, WM_GETFONT, 0, 0));
  WPARAM skinned = SkinnedFont(font);
  if (skinned != font) SendMessageW(window, WM_SETFONT, skinned, FALSE);
  return TRUE;
}

BOOL CALLBACK SkinExistingTop(HWND window, LPARAM context) {
  if (SkinWindow(window)) ++reinterpret_cast<Existing*>(context)->skinned;
  EnumChildWindows(window, SkinExistingChild, context);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

HFONT CreateSkinFont(const SkinFont& wanted) {
  if (wanted.height == 0 && wanted.weight == 0 && wanted.face.empty()) return nullptr;
  LOGFONTW font = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  // It stands in for the stock font, which is made for the system DPI.
  if (wanted.height != 0) font.lfHeight = ScaleForDpi(wanted.height, SystemDpi()), font.lfWidth = 0;
  if (wanted.weight != 0) font.lfWeight = wanted.weight;
  if (!wanted.face.empty()) {
    // A face holds at most kSkinMaxFaceLength bytes, so it always fits.
    std::size_t length = WideFromUtf8(wanted.face).copy(font.lfFaceName, LF_FACESIZE - 1);
    font.lfFaceName[length] = L'\0';
  }
  return CreateFontIndirectW(&font);
}

void Install(const Skin& skin) {
  EngineSkin old = engine;
  engine.skin = skin;
  engine.windowBrush = CreateSolidBrush(skin.colours[kWindow]);
  engine.pageBrush = CreateSolidBrush(skin.colours[kPage]);
  engine.editBrush = CreateSolidBrush(skin.colours[kEdit]);
  engine.font = CreateSkinFont(skin.font);
  // Brushes of an earlier skin may still be selected in a DC: they go after the redraw.
  for (HBRUSH brush : {old.windowBrush, old.pageBrush, old.editBrush}) {
    if (brush) DeleteObject(brush);
  }
  // An earlier skin's font stays alive: controls may still hold it.
}

}  // namespace

extern "C" int WINAPI SkinH_AttachRes(const unsigned char* data, int length, const char* password, int reserved1,
                                      int reserved2, int reserved3) {
  std::uintptr_t extras = static_cast<std::uint32_t>(reserved1 | reserved2 | reserved3);
  Skin skin;
  SkinError error = length < 0 ? kSkinBadLength : ParseSkin(data, static_cast<std::size_t>(length), skin);
  if (error != kSkinOk) {
    ReportAttach(nullptr, 0, password, extras, static_cast<int>(error), 0);
    return static_cast<int>(error);
  }
  Install(skin);
  if (!creationHook) {
    hookThread = GetCurrentThreadId();
    creationHook = SetWindowsHookExW(WH_CBT, CreationHook, nullptr, hookThread);
  }
  Existing existing = {0};
  EnumThreadWindows(GetCurrentThreadId(), SkinExistingTop, reinterpret_cast<LPARAM>(&existing));
  ReportAttach(data, static_cast<std::uint32_t>(length), password, extras, 0, existing.skinned);
  return 0;
}
