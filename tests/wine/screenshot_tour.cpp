// screenshot_tour FOLDER OUTPUT: starts Nevrolt.exe (from NEVROLT_EXE) in
// FOLDER, shows each page in turn and saves it as OUTPUT\page-N.bmp, then
// closes the window. Exits with Nevrolt's own exit code, or 2 when something
// did not appear in time.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "tests/wine/driver.h"

namespace {

constexpr int kTabsId = 100;

int Fail(const char* what) {
  std::fprintf(stderr, "screenshot_tour: %s\n", what);
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return Fail("usage: screenshot_tour FOLDER OUTPUT");
  std::wstring folder = argv[1];
  std::wstring output = argv[2];
  CreateDirectoryW(folder.c_str(), nullptr);
  Running running = StartNevrolt(folder);
  HWND window = WaitForMainWindow(running);
  if (!window) return Fail("the main window did not appear");
  HWND tabs = GetDlgItem(window, kTabsId);
  for (int page = 0; page < 4; ++page) {
    ClickTab(tabs, page);
    if (!WaitUntil([&] { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == page; })) return Fail("a page did not open");
    Capture capture = CaptureWindow(window);
    if (!WriteBitmapFile(output + L"\\page-" + std::to_wstring(page) + L".bmp", capture)) return Fail("cannot write");
  }
  PostMessageW(window, WM_CLOSE, 0, 0);
  DWORD code = WaitForExit(running);
  Finish(running);
  return static_cast<int>(code);
}
