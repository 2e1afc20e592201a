#include "runtime/window_win.h"

#include <string>

#include "runtime/codepage_win.h"
#include "runtime/window.h"

namespace {

HWND mainWindow;
bool mainWindowDestroyed;

HWND Control(int controlId) { return mainWindow ? GetDlgItem(mainWindow, controlId) : nullptr; }

// Task-modal, no owner, caption "信息：".
int ShowWideMessage(const std::wstring& text, UINT buttonsAndIcon) {
  return MessageBoxW(nullptr, text.c_str(), WideFromProgramText("信息：").c_str(), MB_TASKMODAL | buttonsAndIcon);
}

std::wstring JoinedWide(const MessageText& pieces) {
  std::wstring joined;
  for (const MessagePiece& piece : pieces) {
    switch (piece.origin) {
      case kProgramText:
        joined += WideFromProgramText(piece.text);
        break;
      case kAnsiText:
        joined += WideFromAnsi(piece.text);
        break;
      case kConsoleText:
        joined += WideFromConsole(piece.text);
        break;
    }
  }
  return joined;
}

}  // namespace

void SetMainWindow(HWND window) {
  mainWindow = window;
  mainWindowDestroyed = false;
}

void NoteMainWindowDestroyed() {
  mainWindowDestroyed = true;
  mainWindow = nullptr;
}

bool MainWindowClosed() { return mainWindowDestroyed; }

void DispatchWindowMessage(MSG& message) {
  if (mainWindow && message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
      (message.hwnd == mainWindow || IsChild(mainWindow, message.hwnd))) {
    SendMessageW(mainWindow, WM_CLOSE, 0, 0);
    return;
  }
  if (mainWindow && IsDialogMessageW(mainWindow, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void ProcessEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    if (message.message == WM_QUIT) return;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
    DispatchWindowMessage(message);
  }
}

// Nothing serves WM_SETCURSOR while the thread is held, so the cursor set here
// stays until the arrow is set again.
void BeginWaitCursor() { SetCursor(LoadCursorW(nullptr, IDC_WAIT)); }

void EndWaitCursor() { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }

void ShowMessage(const Text& text, int icon) {
  ShowWideMessage(WideFromProgramText(text), MB_OK | static_cast<UINT>(icon));
}

void ShowJoinedMessage(const MessageText& pieces, int icon) {
  ShowWideMessage(JoinedWide(pieces), MB_OK | static_cast<UINT>(icon));
}

bool AskYesNo(const MessageText& question) {
  return ShowWideMessage(JoinedWide(question), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

Text ReadEditText(int controlId) {
  HWND edit = Control(controlId);
  if (!edit) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  return AnsiFromWide(text);
}

int ReadCheckState(int controlId) {
  HWND check = Control(controlId);
  return check && SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}
