#include <windows.h>

#include <string>

#include "runtime/codepage_win.h"
#include "runtime/process.h"
#include "runtime/system_win.h"

bool LaunchConsole(const Text& line, bool wait) {
  // The application is named by its full path and the child starts in the
  // system folder, so neither cmd nor the programs it runs are taken from the
  // program's folder. The command line itself stays as given.
  std::wstring application = SystemCommandInterpreter();
  std::wstring directory = SystemDirectory();
  Text commandLine = line;  // CreateProcessA may write into its command line
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(AnsiFromWide(application).c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_NEW_CONSOLE, nullptr, AnsiFromWide(directory).c_str(), &startup, &process)) {
    return false;
  }
  if (wait) {
    WaitForSingleObject(process.hProcess, INFINITE);
  } else {
    WaitForInputIdle(process.hProcess, 1000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void ExitProgram(int code) { ExitProcess(static_cast<UINT>(code)); }

int OsFamily() {
  // GetVersion keeps its meaning on every system: the top bit is set on Windows
  // 9x and Win32s, which the major version then tells apart.
  DWORD version = GetVersion();
  if (!(version & 0x80000000u)) return 3;
  return LOBYTE(LOWORD(version)) < 4 ? 1 : 2;
}

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
