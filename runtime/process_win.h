// The one way the program starts a child: the system's command interpreter.
#pragma once

#include <windows.h>

#include "runtime/text.h"

// Starts the command interpreter with `commandLine`, unchanged. On the NT family
// the interpreter is named by its full path and starts in the system folder, so
// neither it nor the programs it (or an inner "cmd") looks up are taken from the
// program's folder; elsewhere the line names it. The environment is this
// process's own. False when it did not start (`process` then stays zero-filled).
bool StartCommandInterpreter(Text commandLine, bool inheritHandles, DWORD creationFlags, STARTUPINFOA& startup,
                             PROCESS_INFORMATION& process);
