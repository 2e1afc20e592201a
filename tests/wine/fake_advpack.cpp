// advpack.dll for the test prefix's system folder: IsNTAdmin answers what
// %NEVROLT_FAKE_ADMIN% says (0 refuses), so the refusal at start-up can be tested.
#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI IsNTAdmin(DWORD, DWORD*) {
  wchar_t value[8] = L"";
  GetEnvironmentVariableW(L"NEVROLT_FAKE_ADMIN", value, 8);
  return value[0] == L'0' ? FALSE : TRUE;
}
