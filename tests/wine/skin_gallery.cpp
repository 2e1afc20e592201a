// make gallery: starts the gallery build of Nevrolt once per skin and saves
// the window on each of its four pages as FOLDER\skinNN-pageK.bmp.
//   skin_gallery.exe FOLDER
#include <cstdio>

#include "tests/wine/driver.h"

namespace {

// Captures until two captures in a row agree: the window has finished painting.
Capture SteadyCapture(HWND window) {
  Capture last = CaptureWindow(window);
  Capture now;
  WaitUntil(
      [&] {
        now = CaptureWindow(window);
        bool same = now.pixels == last.pixels;
        last = now;
        return same;
      },
      5000);
  return now;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string folder = argv[1];
  std::wstring output(folder.begin(), folder.end());  // an ASCII path from gallery.sh
  int failures = 0;
  for (int skin = 1; skin <= 33; ++skin) {
    Running running = StartNevrolt(NewFolder(L"gallery"), {L"NEVROLT_GALLERY_SKIN=" + std::to_wstring(skin)});
    HWND window = WaitForMainWindow(running);
    if (!window) {
      std::fprintf(stderr, "skin %d: no window\n", skin);
      ++failures;
      Finish(running);
      continue;
    }
    HWND tabs = GetDlgItem(window, 100);
    for (int page = 0; page < 4; ++page) {
      if (page > 0) ClickTab(tabs, page);
      wchar_t name[64];
      swprintf(name, 64, L"\\skin%02d-page%d.bmp", skin, page);
      if (!WriteBitmapFile(output + name, SteadyCapture(window))) ++failures;
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForExit(running);
    Finish(running);
  }
  return failures == 0 ? 0 : 1;
}
