#include <windows.h>

#include <string>

#include "runtime/codepage_win.h"
#include "runtime/window.h"

void ShowSystemMessage(const Text& text, int icon) {
  std::wstring wide;
  int size = static_cast<int>(text.size());
  int length = size ? MultiByteToWideChar(CP_OEMCP, 0, text.data(), size, nullptr, 0) : 0;
  wide.resize(static_cast<size_t>(length));
  if (length) MultiByteToWideChar(CP_OEMCP, 0, text.data(), size, wide.data(), length);
  MessageBoxW(nullptr, wide.c_str(), WideFromProgramText("信息：").c_str(),
              MB_OK | MB_TASKMODAL | static_cast<UINT>(icon));
}
