// Running a console command invisibly and collecting what it prints.
#pragma once

#include "runtime/text.h"

// The line the child process is started with: "cmd.exe /c " + line on the NT
// family, "command.com /c " + line elsewhere; the line itself unchanged.
Text HiddenCommandLine(const Text& line);

// How the command interpreter of a hidden run ended.
struct ChildExit {
  bool started = false;    // false: it could not be started at all
  unsigned long code = 0;  // its exit code, once it has ended
};

// Runs the line hidden through the system's command interpreter and returns its
// standard output and standard error as one text, bytes as written, each chunk
// cut at its first NUL. Dispatches the thread's messages while it waits, so a
// handler may run nested inside; empty when the command printed nothing or did
// not start. With `exit`, also tells whether the interpreter started and its exit
// code. A caller that touches the window afterwards checks MainWindowClosed().
Text RunHidden(const Text& line, ChildExit* exit = nullptr);
