#include "exec/run_hidden.h"

#include "runtime/process.h"

Text HiddenCommandLine(const Text& line) {
  return ConcatText({OsFamily() > 2 ? "cmd.exe /c " : "command.com /c ", line});
}
