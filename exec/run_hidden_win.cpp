#include <windows.h>

#include "exec/pump_wait.h"
#include "exec/run_hidden.h"
#include "runtime/handles_win.h"
#include "runtime/process_win.h"
#include "runtime/window.h"

namespace {

// The wait of a pass that found the pipe empty and the child running: 1 ms. A
// benchmark build alone sets NEVROLT_BENCH_WAIT_MS, to model a coarser timer.
#ifdef NEVROLT_BENCH_WAIT_MS
constexpr int32_t kIdleWait = NEVROLT_BENCH_WAIT_MS;
#else
constexpr int32_t kIdleWait = 1;
#endif

// Input, or a message of any kind (posted, sent, paint, timer), waits in the queue.
bool MessagesWaiting() { return GetInputState() || HIWORD(GetQueueStatus(QS_ALLINPUT)) != 0; }

}  // namespace

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
    bool readData = false;
    if (available != 0) {
      chunk = Bytes();
      chunk = BlankBytes(static_cast<int>(available));
      // On failure ReadFile stores 0 and the zero-filled chunk adds nothing.
      ReadFile(readEnd.get(), chunk.data(), available, &available, nullptr);
      collected += BytesToText(chunk);
      readData = available != 0;
    } else {
      GetExitCodeProcess(process.get(), &exitCode);
      // STILL_ACTIVE is also an exit code any program may return: then the
      // process handle tells whether it has really ended.
      if (exitCode != STILL_ACTIVE || WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT) {
        // The child may have ended between the two questions: its real code now.
        if (exitCode == STILL_ACTIVE) GetExitCodeProcess(process.get(), &exitCode);
        readEnd.reset();
        break;
      }
    }
    if (readData) {
      // A child that has just written usually has more on the way: the next
      // pass peeks at once instead of waiting, so output is taken as fast as it
      // is written, not one write per wait. The queue is still served on every
      // pass, so the window paints and posted messages run during a flood too.
      if (MessagesWaiting()) ProcessEvents();
    } else {
      if (GetInputState()) ProcessEvents();
      PumpWait(kIdleWait);
    }
  }
  if (exit) *exit = {interpreterStarted, exitCode};
  return collected;
}
