// Start-up of the runtime services and the loading of system libraries.
#pragma once

#include <windows.h>

#include <string>

// Makes the executable's folder the current directory and closes the ways by
// which a program or library planted there could be picked up: DLLs are searched
// in the system folder only, and children do not look for programs in their
// current directory.
void StartRuntime();

// Loads a library from the system folder only, never from the program's folder
// or the current directory. nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);

// Sets `function` to the export `name` of `library`; false when it is missing.
template <typename Function>
bool ResolveExport(HMODULE library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  return function != nullptr;
}

// The system folder (the one 32-bit programs see on 64-bit Windows), no trailing
// backslash, and the full path of the system's command interpreter in it.
std::wstring SystemDirectory();
std::wstring SystemCommandInterpreter();
