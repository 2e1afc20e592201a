#include "http/wininet_win.h"

#include "runtime/system_win.h"

namespace {

template <typename Function>
bool Resolve(HMODULE library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  return function != nullptr;
}

bool Load(WinInetCalls& calls) {
  HMODULE library = LoadSystemLibrary("wininet.dll");
  if (!library) return false;
  return Resolve(library, "InternetCheckConnectionA", calls.checkConnection) &&
         Resolve(library, "InternetOpenA", calls.open) && Resolve(library, "InternetConnectA", calls.connect) &&
         Resolve(library, "HttpOpenRequestA", calls.openRequest) &&
         Resolve(library, "HttpSendRequestA", calls.sendRequest) &&
         Resolve(library, "InternetReadFile", calls.readFile) && Resolve(library, "HttpQueryInfoA", calls.queryInfo) &&
         Resolve(library, "InternetCloseHandle", calls.closeHandle);
}

}  // namespace

const WinInetCalls* WinInet() {
  // Loaded once: WinINet keeps its own state for the process, and unloading it
  // between requests would only repeat its start-up.
  static WinInetCalls calls;
  static const bool loaded = Load(calls);
  return loaded ? &calls : nullptr;
}
