// SkinH_EL.dll: SkinH_AttachRes checks a skin, keeps a copy, and skins every
// window of the calling thread, those that exist and those created later.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "resources/skin_engine/skin_engine_win.h"
#include "resources/skin_engine/skin_report.h"

EngineSkin engine;

namespace {

constexpr wchar_t kProcProperty[] = L"SkinH.Proc";
constexpr wchar_t kKindProperty[] = L"SkinH.Kind";
constexpr wchar_t kHotProperty[] = L"SkinH.Hot";  // hot item + 1
constexpr wchar_t kInactiveProperty[] = L"SkinH.Inactive";

HHOOK creationHook;
DWORD hookThread;
bool ClassIs(HWND window, const wchar_t* name) {
  wchar_t found[64];
  return GetClassNameW(window, found, 64) && lstrcmpiW(found, name) == 0;
}

int KindOf(HWND window) {
  LONG style = GetWindowLongW(window, GWL_STYLE);
  if (!(style & WS_CHILD)) {
    // Our own program's windows and its dialogs and message boxes; never the
    // system's menus, tooltips or input-method windows.
    auto module = reinterpret_cast<HMODULE>(GetClassLongPtrW(window, GCLP_HMODULE));
    return ClassIs(window, L"#32770") || module == GetModuleHandleW(nullptr) ? kContainer : 0;
  }
  if (ClassIs(window, L"Button")) {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        return kPushButton;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        return kCheckButton;
    }
    return 0;
  }
  if (ClassIs(window, L"Edit")) return ClassIs(GetParent(window), L"ComboBox") ? 0 : kEditBox;
  if (ClassIs(window, WC_TABCONTROLW)) return kTabs;
  if (ClassIs(window, L"Static")) return kLabel;
  return 0;
}

void Repaint(HWND window, int kind) {
  if (!IsWindowVisible(window)) return;
  HDC dc = GetDC(window);
  bool hot = GetPropW(window, kHotProperty) != nullptr;
  if (kind == kPushButton) PaintPushButton(window, dc, hot);
  if (kind == kCheckButton) PaintCheckButton(window, dc, hot);
  ReleaseDC(window, dc);
}

void TrackLeave(HWND window) {
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
  TrackMouseEvent(&track);
}

LRESULT ContainerMessage(HWND window, WNDPROC original, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT rect;
      GetClientRect(window, &rect);
      FillRect(reinterpret_cast<HDC>(wParam), &rect, engine.windowBrush);
      return 1;
    }
    case WM_CTLCOLORDLG:
      return reinterpret_cast<LRESULT>(engine.windowBrush);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (ClassIs(reinterpret_cast<HWND>(lParam), L"Edit")) {  // read-only or disabled edit boxes
        SetTextColor(dc, Colour(kEditText));
        SetBkColor(dc, Colour(kEdit));
        return reinterpret_cast<LRESULT>(engine.editBrush);
      }
      SetTextColor(dc, IsWindowEnabled(reinterpret_cast<HWND>(lParam)) ? Colour(kPageText) : Colour(kDisabledText));
      SetBkColor(dc, SurfaceColour(window));
      return reinterpret_cast<LRESULT>(SurfaceBrush(window));
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, Colour(kEditText));
      SetBkColor(dc, Colour(kEdit));
      return reinterpret_cast<LRESULT>(engine.editBrush);
    }
    case WM_NCPAINT: {
      if ((GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) break;
      PaintCaption(window);
      return 0;
    }
    case WM_NCACTIVATE: {
      if (wParam)
        RemovePropW(window, kInactiveProperty);
      else
        SetPropW(window, kInactiveProperty, reinterpret_cast<HANDLE>(1));
      LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
      PaintCaption(window);
      return result;
    }
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_SYSCOMMAND:
    case WM_ENABLE: {
      LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
      if (IsWindow(window) && IsWindowVisible(window)) PaintCaption(window);
      return result;
    }
    // The caption buttons are ours: a click on one acts on release.
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTCLOSE || wParam == HTMINBUTTON || wParam == HTMAXBUTTON) return 0;
      break;
    case WM_NCLBUTTONUP:
      if (wParam == HTCLOSE) return SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, lParam);
      if (wParam == HTMINBUTTON && (GetWindowLongW(window, GWL_STYLE) & WS_MINIMIZEBOX)) {
        return SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, lParam);
      }
      break;
  }
  return CallWindowProcW(original, window, message, wParam, lParam);
}

LRESULT ButtonMessage(HWND window, int kind, WNDPROC original, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      bool hot = GetPropW(window, kHotProperty) != nullptr;
      if (kind == kPushButton)
        PaintPushButton(window, dc, hot);
      else
        PaintCheckButton(window, dc, hot);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      if (!GetPropW(window, kHotProperty)) {
        SetPropW(window, kHotProperty, reinterpret_cast<HANDLE>(1));
        TrackLeave(window);
        InvalidateRect(window, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      RemovePropW(window, kHotProperty);
      InvalidateRect(window, nullptr, FALSE);
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
      INT_PTR item = SendMessageW(window, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) + 1;
      if (item != reinterpret_cast<INT_PTR>(GetPropW(window, kHotProperty))) {
        SetPropW(window, kHotProperty, reinterpret_cast<HANDLE>(item));
        TrackLeave(window);
        InvalidateRect(window, nullptr, FALSE);
      }
      break;
    }
    case WM_MOUSELEAVE:
      RemovePropW(window, kHotProperty);
      InvalidateRect(window, nullptr, FALSE);
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
    case kContainer:
      return ContainerMessage(window, original, message, wParam, lParam);
    case kPushButton:
    case kCheckButton:
      return ButtonMessage(window, kind, original, message, wParam, lParam);
    case kTabs:
      return TabsMessage(window, original, message, wParam, lParam);
    case kEditBox:
      return EditMessage(window, original, message, wParam, lParam);
  }
  return CallWindowProcW(original, window, message, wParam, lParam);
}

// Some systems draw the frame of a window themselves unless told not to.
void KeepFrameOurs(HWND window) {
  using SetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  HMODULE dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  auto setAttribute =
      dwm ? reinterpret_cast<SetAttributeFn>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
          : nullptr;
  DWORD disabled = 1;  // DWMNCRP_DISABLED
  if (setAttribute) setAttribute(window, 2 /* DWMWA_NCRENDERING_POLICY */, &disabled, sizeof disabled);
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
  if (kind == kContainer) KeepFrameOurs(window);
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
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (engine.font && font == GetStockObject(DEFAULT_GUI_FONT)) {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(engine.font), FALSE);
  }
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
  if (wanted.height != 0) font.lfHeight = wanted.height, font.lfWidth = 0;
  if (wanted.weight != 0) font.lfWeight = wanted.weight;
  if (!wanted.face.empty()) {
    int length = MultiByteToWideChar(CP_UTF8, 0, wanted.face.data(), static_cast<int>(wanted.face.size()),
                                     font.lfFaceName, LF_FACESIZE - 1);
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
