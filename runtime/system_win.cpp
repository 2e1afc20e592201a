#include "runtime/system_win.h"

#include "runtime/codepage_win.h"
#include "runtime/files.h"

void StartRuntime() {
  // SetDefaultDllDirectories exists from Windows 8 on, and on Windows 7 with
  // KB2533623; where it is missing, LoadSystemLibrary falls back to full paths.
  using SetDirectoriesFn = BOOL(WINAPI*)(DWORD);
  SetDirectoriesFn setDirectories = nullptr;
  if (ResolveExport(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories", setDirectories)) {
    setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  SetDllDirectoryW(L"");  // takes the current directory out of the DLL search path

  // Inherited by every child: Windows' cmd then does not run a ping.exe or
  // netsh.exe found in its current directory.
  SetEnvironmentVariableW(L"NoDefaultCurrentDirectoryInExePath", L"1");

  SetCurrentDirectoryW(WideFromAnsi(RunDirectory()).c_str());
}

std::wstring SystemDirectory() {
  wchar_t path[MAX_PATH];
  UINT length = GetSystemDirectoryW(path, MAX_PATH);
  return std::wstring(path, length < MAX_PATH ? length : 0);
}

std::wstring SystemCommandInterpreter() { return SystemDirectory() + L"\\cmd.exe"; }

HMODULE LoadSystemLibrary(const char* name) {
  HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;
  // A system without LOAD_LIBRARY_SEARCH_SYSTEM32: name the file by its full path.
  std::wstring path = SystemDirectory() + L"\\" + WideFromAnsi(name);
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
