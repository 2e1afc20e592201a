#include "app/main_window_win.h"

#include <commctrl.h>

#include "actions/control_ids.h"
#include "app/control_table.h"
#include "app/layout.h"
#include "runtime/codepage_win.h"
#include "runtime/dpi.h"
#include "runtime/dpi_win.h"
#include "runtime/handles_win.h"
#include "runtime/system_win.h"
#include "runtime/window_win.h"

namespace {

constexpr wchar_t kClassName[] = L"NevroltMainWindow";
constexpr int kIconId = 1;

// The fonts of the controls at the window's DPI, for the life of the window.
// The GUI font is the stock one at the DPI it was made for, and a font of its
// face and size made for any other DPI.
struct PageFonts {
  GdiObject gui = OwnGdiObject(nullptr);  // nullptr: the stock font serves
  GdiObject own = OwnGdiObject(nullptr);  // the reset page's own font
};

PageFonts fonts;
IconHandle captionIcon = OwnIcon(nullptr);  // nullptr: the class's small icon serves

PageFonts FontsFor(int dpi) {
  PageFonts made;
  if (dpi != SystemDpi()) {
    LOGFONTW face = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    face.lfHeight = ScaleFromSystemDpi(face.lfHeight, dpi);
    face.lfWidth = 0;
    made.gui = OwnGdiObject(CreateFontIndirectW(&face));
  }
  made.own = OwnGdiObject(CreateFontW(ScaleForDpi(kOwnFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                      DEFAULT_PITCH, L""));
  return made;
}

HFONT GuiFont() { return static_cast<HFONT>(fonts.gui ? fonts.gui.get() : GetStockObject(DEFAULT_GUI_FONT)); }

HFONT FontOf(const ControlSpec& control) {
  return (control.style & kOwnFont) ? static_cast<HFONT>(fonts.own.get()) : GuiFont();
}

// Every child but the tab control carries its table row.
const ControlSpec& RowOf(HWND child) { return kControls[GetWindowLongPtrW(child, GWLP_USERDATA)]; }

// The room around a tab's caption: the control's own 6 × 3 pixels at 96 DPI,
// left alone there, and scaled at any other DPI.
void PadTabs(HWND tabs, int dpi) {
  SendMessageW(tabs, TCM_SETPADDING, 0, MAKELPARAM(ScaleForDpi(6, dpi), ScaleForDpi(3, dpi)));
}

// The caption's icon from its own image at the small-icon size of the DPI. The
// class's small icon is made for the system DPI; at any other it would be stretched.
void SetCaptionIcon(HWND window, int dpi) {
  int size = SystemMetricForDpi(SM_CXSMICON, dpi);
  IconHandle icon = OwnIcon(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconId), IMAGE_ICON, size, size, 0)));
  if (!icon) return;
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
  captionIcon = std::move(icon);  // the earlier one goes once the window holds this one
}

void MoveTo(HWND window, const Placement& place) {
  SetWindowPos(window, nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

DWORD StyleOf(const ControlSpec& control) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (control.page == 0 ? WS_VISIBLE : 0);
  switch (control.kind) {
    case kLabel:
      return style | SS_CENTERIMAGE | SS_NOPREFIX | ((control.style & kAlignCentre) ? SS_CENTER : SS_LEFT);
    case kEdit:
      return style | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    case kCheckBox:
      return style | WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER;
    case kButton:
      return style | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
  }
  return style;
}

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case kLabel:
      return L"STATIC";
    case kEdit:
      return L"EDIT";
    case kCheckBox:
    case kButton:
      return L"BUTTON";
  }
  return L"STATIC";
}

// pageTabs sits at the client origin, so table positions are client positions.
void CreateControls(HWND window, HINSTANCE instance, int dpi) {
  fonts = FontsFor(dpi);
  Placement place = TabsPlacement(dpi);
  HWND tabs =
      CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place.x, place.y, place.width,
                      place.height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(pageTabs)), instance, nullptr);
  SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
  if (dpi != kLayoutDpi) PadTabs(tabs, dpi);
  for (int page = 0; page < kPageCount; ++page) {
    std::wstring caption = WideFromProgramText(kPageCaptions[page]);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
  }

  for (int i = 0; i < kControlCount; ++i) {
    const ControlSpec& control = kControls[i];
    std::wstring caption = control.caption ? WideFromProgramText(control.caption) : std::wstring();
    place = ControlPlacement(control, dpi);
    HWND child = CreateWindowExW(control.kind == kEdit ? WS_EX_CLIENTEDGE : 0, ClassOf(control.kind), caption.c_str(),
                                 StyleOf(control), place.x, place.y, place.width, place.height, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    SetWindowLongPtrW(child, GWLP_USERDATA, i);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control)), FALSE);
  }
  // The tab control is drawn beneath the controls that lie on it.
  SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// WM_DPICHANGED: the window takes the rectangle the system suggests, its
// controls the table scaled to the new DPI and fonts made for it. The old fonts
// go once no control holds them.
void OnDpiChanged(HWND window, int dpi, const RECT& suggested) {
  PageFonts old = std::move(fonts);
  fonts = FontsFor(dpi);
  MoveTo(window, {suggested.left, suggested.top, suggested.right - suggested.left, suggested.bottom - suggested.top});
  SetCaptionIcon(window, dpi);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    bool isTabs = GetDlgCtrlID(child) == pageTabs;
    if (isTabs) PadTabs(child, dpi);
    MoveTo(child, isTabs ? TabsPlacement(dpi) : ControlPlacement(RowOf(child), dpi));
    HFONT font = isTabs ? GuiFont() : FontOf(RowOf(child));
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

// Each control carries its table row, so a page switch is one pass over the children.
void ShowPage(HWND window, int page) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == pageTabs) continue;
    ShowWindow(child, RowOf(child).page == page ? SW_SHOW : SW_HIDE);
  }
}

// WM_COMMAND: a click runs the button's handler; Enter (IDOK) does nothing.
void OnCommand(int id, int code) {
  const ControlSpec* control = FindControl(id);
  if (code == BN_CLICKED && control && control->onClick) control->onClick();
}

// WM_NOTIFY: a tab selected shows its page.
void OnNotify(HWND window, const NMHDR& header) {
  if (header.idFrom == pageTabs && header.code == TCN_SELCHANGE) {
    ShowPage(window, static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
  }
}

// WM_DESTROY: ends the message loop; a handler still running sees the window gone.
void OnDestroy() {
  NoteMainWindowDestroyed();
  fonts = PageFonts();
  captionIcon.reset();
  PostQuitMessage(0);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      OnNotify(window, *reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The tab control's class comes from the system's comctl32, loaded by full
// system path at run time: an import would be looked for beside the program
// first. The library stays loaded for the life of the process.
bool RegisterTabControlClass() {
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  HMODULE comctl = LoadSystemLibrary("comctl32.dll");
  InitFn init = nullptr;
  if (!comctl || !ResolveExport(comctl, "InitCommonControlsEx", init)) return false;
  INITCOMMONCONTROLSEX common = {sizeof common, ICC_TAB_CLASSES};
  return init(&common) != FALSE;
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance) {
  RegisterTabControlClass();

  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);

  // Placed at the system DPI, and again at the DPI of its monitor where that differs.
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  Placement place = WindowPlacement(screenWidth, screenHeight, SystemDpi());
  HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, WideFromProgramText(kWindowTitle).c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, place.x,
                                place.y, place.width, place.height, nullptr, nullptr, instance, nullptr);
  if (!window) return nullptr;
  int dpi = WindowDpi(window);
  if (dpi != SystemDpi()) {
    MoveTo(window, WindowPlacement(screenWidth, screenHeight, dpi));
    SetCaptionIcon(window, dpi);
  }
  SetMainWindow(window);
  CreateControls(window, instance, dpi);
  return window;
}
