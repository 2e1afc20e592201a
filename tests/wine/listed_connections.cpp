// The machine's connections of a test build of Nevrolt.exe: the names listed in
// NEVROLT_CONNECTIONS, separated by "|", with indexes 10, 11, ... It replaces
// runtime/connections_win.cpp at link time.
#include <windows.h>

#include "runtime/codepage_win.h"
#include "runtime/connections.h"

std::vector<Connection> MachineConnections() {
  wchar_t value[1024];
  DWORD length = GetEnvironmentVariableW(L"NEVROLT_CONNECTIONS", value, 1024);
  std::wstring names(value, length < 1024 ? length : 0);
  std::vector<Connection> connections;
  for (size_t at = 0; at < names.size();) {
    size_t bar = names.find(L'|', at);
    if (bar == std::wstring::npos) bar = names.size();
    connections.push_back(
        {AnsiFromWide(names.substr(at, bar - at)), static_cast<unsigned long>(10 + connections.size())});
    at = bar + 1;
  }
  return connections;
}
