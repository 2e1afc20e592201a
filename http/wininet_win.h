// WinINet, taken from the system folder at first use and kept for the life of
// the process. Nevrolt.exe does not import wininet.dll: a copy planted beside
// the elevated program is never loaded.
#pragma once

#include <windows.h>
#include <wininet.h>

struct WinInetCalls {
  decltype(&InternetCheckConnectionA) checkConnection;
  decltype(&InternetOpenA) open;
  decltype(&InternetConnectA) connect;
  decltype(&HttpOpenRequestA) openRequest;
  decltype(&HttpSendRequestA) sendRequest;
  decltype(&InternetReadFile) readFile;
  decltype(&HttpQueryInfoA) queryInfo;
  decltype(&InternetCloseHandle) closeHandle;
};

// The calls, or nullptr when the library or one of them cannot be had.
const WinInetCalls* WinInet();
