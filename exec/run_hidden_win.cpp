#include <windows.h>

#include <string>

#include "exec/pump_wait.h"
#include "exec/run_hidden.h"
#include "runtime/codepage_win.h"
#include "runtime/process.h"
#include "runtime/system_win.h"
#include "runtime/window.h"

namespace {

// On the NT family the interpreter is named by its full path and starts in the
// system folder, so neither it nor the programs it (or an inner "cmd") looks
// up are taken from the program's folder.
BOOL StartChild(Text commandLine, STARTUPINFOA& startup, PROCESS_INFORMATION& process) {
  bool nt = OsFamily() > 2;
  Text application = nt ? AnsiFromWide(SystemCommandInterpreter()) : Text();
  Text directory = nt ? AnsiFromWide(SystemDirectory()) : Text();
  return CreateProcessA(nt ? application.c_str() : nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nt ? directory.c_str() : nullptr, &startup, &process);
}

}  // namespace

Text RunHidden(const Text& line) {
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
  CreatePipe(&readEnd, &writeEnd, &attributes, 0);

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = nullptr;
  PROCESS_INFORMATION process = {};
  StartChild(HiddenCommandLine(line), startup, process);
  CloseHandle(writeEnd);

  DWORD available = 0;
  DWORD exitCode = 0;
  Bytes chunk;
  Text collected;  // appended in place: amortised constant time per byte
  for (;;) {
    PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr);
    if (available != 0) {
      chunk = Bytes();
      chunk = BlankBytes(static_cast<int>(available));
      // On failure ReadFile stores 0 and the zero-filled chunk adds nothing.
      ReadFile(readEnd, chunk.data(), available, &available, nullptr);
      collected += BytesToText(chunk);
    } else {
      GetExitCodeProcess(process.hProcess, &exitCode);
      // STILL_ACTIVE is also an exit code any program may return: then the
      // process handle tells whether it has really ended.
      if (exitCode != STILL_ACTIVE || WaitForSingleObject(process.hProcess, 0) != WAIT_TIMEOUT) {
        CloseHandle(readEnd);
        break;
      }
    }
    if (GetInputState()) ProcessEvents();
    PumpWait(1);
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return collected;
}
