// A program that imports comctl32 at load time, as Nevrolt.exe once did: the
// planted-library test runs it to show that its pass prefers a comctl32.dll
// file beside the program.
#include <windows.h>
#include <commctrl.h>

int main() {
  InitCommonControls();
  return 0;
}
