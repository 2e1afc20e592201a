#include "runtime/process_win.h"

#include <string>

#include "runtime/codepage_win.h"
#include "runtime/handles_win.h"
#include "runtime/process.h"
#include "runtime/system_win.h"

bool StartCommandInterpreter(Text commandLine, bool inheritHandles, DWORD creationFlags, STARTUPINFOA& startup,
                             PROCESS_INFORMATION& process) {
  bool nt = OsFamily() > 2;
  Text application = nt ? AnsiFromWide(SystemCommandInterpreter()) : Text();
  Text directory = nt ? AnsiFromWide(SystemDirectory()) : Text();
  // CreateProcessA may write into its command line: the copy is ours.
  return CreateProcessA(nt ? application.c_str() : nullptr, commandLine.data(), nullptr, nullptr,
                        inheritHandles ? TRUE : FALSE, creationFlags, nullptr, nt ? directory.c_str() : nullptr,
                        &startup, &process) != FALSE;
}

bool LaunchConsole(const Text& line, bool wait) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started = {};
  if (!StartCommandInterpreter(line, false, CREATE_NEW_CONSOLE, startup, started)) return false;
  KernelHandle process = OwnHandle(started.hProcess);
  KernelHandle thread = OwnHandle(started.hThread);
  if (wait) {
    WaitForSingleObject(process.get(), INFINITE);
  } else {
    WaitForInputIdle(process.get(), 1000);
  }
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
