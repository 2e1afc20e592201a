#include "http/wininet_win.h"

#include "runtime/system_win.h"

namespace {

bool Load(WinInetCalls& calls) {
  HMODULE library = LoadSystemLibrary("wininet.dll");
  if (!library) return false;
  return ResolveExport(library, "InternetCheckConnectionA", calls.checkConnection) &&
         ResolveExport(library, "InternetOpenA", calls.open) &&
         ResolveExport(library, "InternetConnectA", calls.connect) &&
         ResolveExport(library, "HttpOpenRequestA", calls.openRequest) &&
         ResolveExport(library, "HttpSendRequestA", calls.sendRequest) &&
         ResolveExport(library, "InternetReadFile", calls.readFile) &&
         ResolveExport(library, "HttpQueryInfoA", calls.queryInfo) &&
         ResolveExport(library, "InternetCloseHandle", calls.closeHandle);
}

}  // namespace

const WinInetCalls* WinInet() {
  // Loaded once: WinINet keeps its own state for the process, and unloading it
  // between requests would only repeat its start-up.
  static WinInetCalls calls;
  static const bool loaded = Load(calls);
  return loaded ? &calls : nullptr;
}
