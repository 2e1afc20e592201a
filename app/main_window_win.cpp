#include "app/main_window_win.h"

#include <commctrl.h>

#include "actions/control_ids.h"
#include "app/control_table.h"
#include "runtime/codepage_win.h"
#include "runtime/handles_win.h"
#include "runtime/system_win.h"
#include "runtime/window_win.h"

namespace {

constexpr wchar_t kClassName[] = L"NevroltMainWindow";
constexpr int kIconId = 1;

GdiObject ownFont = OwnGdiObject(nullptr);  // the reset page's own font, for the life of the window

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
void CreateControls(HWND window, HINSTANCE instance) {
  HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  ownFont = OwnGdiObject(CreateFontW(kOwnFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH, L""));

  HWND tabs =
      CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, kTabsWidth, kTabsHeight,
                      window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(pageTabs)), instance, nullptr);
  SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont), FALSE);
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
    HWND child = CreateWindowExW(control.kind == kEdit ? WS_EX_CLIENTEDGE : 0, ClassOf(control.kind), caption.c_str(),
                                 StyleOf(control), control.x, control.y, control.width, control.height, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    SetWindowLongPtrW(child, GWLP_USERDATA, i);
    HFONT font = (control.style & kOwnFont) ? static_cast<HFONT>(ownFont.get()) : guiFont;
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  // The tab control is drawn beneath the controls that lie on it.
  SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Each control carries its table row, so a page switch is one pass over the children.
void ShowPage(HWND window, int page) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == pageTabs) continue;
    const ControlSpec& control = kControls[GetWindowLongPtrW(child, GWLP_USERDATA)];
    ShowWindow(child, control.page == page ? SW_SHOW : SW_HIDE);
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
  ownFont.reset();
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

  int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
  HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, WideFromProgramText(kWindowTitle).c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, left, top,
                                kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
  if (!window) return nullptr;
  SetMainWindow(window);
  CreateControls(window, instance);
  return window;
}
