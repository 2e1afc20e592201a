#include <windows.h>

#include <string>

#include "runtime/codepage_win.h"
#include "runtime/window.h"

namespace {

void ShowWideMessage(const std::wstring& text, int icon) {
  MessageBoxW(nullptr, text.c_str(), WideFromProgramText("信息：").c_str(),
              MB_OK | MB_TASKMODAL | static_cast<UINT>(icon));
}

}  // namespace

void ShowSystemMessage(const Text& text, int icon) { ShowWideMessage(WideFromConsole(text), icon); }

void ShowJoinedMessage(const MessageText& pieces, int icon) {
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
  ShowWideMessage(joined, icon);
}
