#include <windows.h>

#include "exec/pump_wait.h"
#include "exec/run_hidden.h"
#include "runtime/handles_win.h"
#include "runtime/process_win.h"
#include "runtime/window.h"

Text RunHidden(const Text& line, ChildExit* exit) {
  HANDLE readPipe = nullptr;
  HANDLE writePipe = nullptr;
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
  CreatePipe(&readPipe, &writePipe, &attributes, 0);
  KernelHandle readEnd = OwnHandle(readPipe);
  KernelHandle writeEnd = OwnHandle(writePipe);

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdOutput = writePipe;
  startup.hStdError = writePipe;
  startup.hStdInput = nullptr;
  PROCESS_INFORMATION started = {};
  bool interpreterStarted = StartCommandInterpreter(HiddenCommandLine(line), true, 0, startup, started);
  KernelHandle process = OwnHandle(started.hProcess);
  KernelHandle thread = OwnHandle(started.hThread);
  writeEnd.reset();  // from here on only the child holds the write end

  DWORD available = 0;
  DWORD exitCode = 0;
  Bytes chunk;
  Text collected;  // appended in place: amortised constant time per byte
  for (;;) {
    PeekNamedPipe(readEnd.get(), nullptr, 0, nullptr, &available, nullptr);
    if (available != 0) {
      chunk = Bytes();
      chunk = BlankBytes(static_cast<int>(available));
      // On failure ReadFile stores 0 and the zero-filled chunk adds nothing.
      ReadFile(readEnd.get(), chunk.data(), available, &available, nullptr);
      collected += BytesToText(chunk);
    } else {
      GetExitCodeProcess(process.get(), &exitCode);
      // STILL_ACTIVE is also an exit code any program may return: then the
      // process handle tells whether it has really ended.
      if (exitCode != STILL_ACTIVE || WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT) {
        readEnd.reset();
        break;
      }
    }
    if (GetInputState()) ProcessEvents();
    PumpWait(1);
  }
  if (exit) *exit = {interpreterStarted, exitCode};
  return collected;
}
