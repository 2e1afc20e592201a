// Process and system services. Declared without Windows types.
#pragma once

#include "runtime/text.h"

// Starts the system's command interpreter with `line` (which begins with "cmd ")
// in a console shown normally, inheriting nothing, with the system folder as its
// current directory. wait: block, dispatching nothing, until it ends; otherwise
// wait up to 1000 ms for it to become idle. True when the process started.
bool LaunchConsole(const Text& line, bool wait);

[[noreturn]] void ExitProgram(int code);

// 1 Win32s, 2 Windows 9x, 3 NT, 0 other.
int OsFamily();
