// Stands in for a system console program (ping, tracert, netsh) in the test
// prefix: appends its command line to %NEVROLT_RECORD%, prints the bytes of
// %NEVROLT_REPLY% and exits with %NEVROLT_EXIT%.
#include <windows.h>

#include <string>

namespace {

std::wstring Variable(const wchar_t* name) {
  wchar_t value[2048];
  DWORD length = GetEnvironmentVariableW(name, value, 2048);
  return length && length < 2048 ? std::wstring(value, length) : std::wstring();
}

std::string Utf8(const std::wstring& text) {
  int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length, nullptr, nullptr);
  return out;
}

void Record(const std::wstring& path) {
  wchar_t directory[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, directory);
  std::string line = Utf8(GetCommandLineW()) + "\t" + Utf8(directory) + "\n";
  for (int attempt = 0; attempt < 200; ++attempt) {
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      CloseHandle(file);
      return;
    }
    Sleep(10);  // another recorder holds the file
  }
}

void Reply(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  char chunk[65536];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) {
    DWORD written = 0;
    WriteFile(out, chunk, read, &written, nullptr);
  }
  CloseHandle(file);
}

}  // namespace

int main() {
  std::wstring record = Variable(L"NEVROLT_RECORD");
  if (!record.empty()) Record(record);
  std::wstring reply = Variable(L"NEVROLT_REPLY");
  if (!reply.empty()) Reply(reply);
  return _wtoi(Variable(L"NEVROLT_EXIT").c_str());
}
