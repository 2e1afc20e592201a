#include "http/internet_check.h"
#include "http/wininet_win.h"

bool CheckConnection(const Text& url) {
  const WinInetCalls* inet = WinInet();
  return inet && inet->checkConnection(url.c_str(), FLAG_ICC_FORCE_CONNECTION, 0);
}
