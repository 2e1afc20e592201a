// Running a console command invisibly and collecting what it prints.
#pragma once

#include "runtime/text.h"

// The line the child process is started with: "cmd.exe /c " + line on the NT
// family, "command.com /c " + line elsewhere; the line itself unchanged.
Text HiddenCommandLine(const Text& line);

// Runs the line hidden through the system's command interpreter and returns its
// standard output and standard error as one text, bytes as written, each chunk
// cut at its first NUL. Dispatches the thread's messages while it waits, so a
// handler may run nested inside; empty when the command printed nothing or did
// not start. A caller that touches the window afterwards checks MainWindowClosed().
Text RunHidden(const Text& line);
