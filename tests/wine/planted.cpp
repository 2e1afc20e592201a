// A program or library planted beside Nevrolt.exe under a system name. If it
// ever runs, it says so in %NEVROLT_PLANT_MARKER%; the tests expect silence.
#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

void Confess() {
  wchar_t path[MAX_PATH];
  if (!GetEnvironmentVariableW(L"NEVROLT_PLANT_MARKER", path, MAX_PATH)) return;
  HANDLE file =
      CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
  wchar_t self[MAX_PATH];
  DWORD length = GetModuleFileNameW(reinterpret_cast<HMODULE>(&__ImageBase), self, MAX_PATH);
  DWORD written = 0;
  WriteFile(file, self, length * sizeof(wchar_t), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

#ifdef PLANTED_LIBRARY
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Confess();
  return TRUE;
}
extern "C" __declspec(dllexport) BOOL WINAPI IsNTAdmin(DWORD, DWORD*) { return TRUE; }
// What a program importing comctl32 asks of it.
extern "C" __declspec(dllexport) void WINAPI InitCommonControls() {}
extern "C" __declspec(dllexport) BOOL WINAPI InitCommonControlsEx(const void*) { return TRUE; }
#else
int main() {
  Confess();
  return 0;
}
#endif
