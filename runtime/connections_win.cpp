// The machine's connections from GetAdaptersAddresses. iphlpapi is not one of
// Windows' KnownDLLs, so it is loaded from the system folder at run time.
#include <windows.h>
#include <winsock2.h>
#include <iphlpapi.h>

#include "runtime/codepage_win.h"
#include "runtime/connections.h"
#include "runtime/system_win.h"

namespace {

using GetAdaptersAddressesFn = decltype(&GetAdaptersAddresses);

GetAdaptersAddressesFn AdapterQuery() {
  static const GetAdaptersAddressesFn query = [] {
    HMODULE library = LoadSystemLibrary("iphlpapi.dll");  // kept for the life of the process
    GetAdaptersAddressesFn found = nullptr;
    if (library) ResolveExport(library, "GetAdaptersAddresses", found);
    return found;
  }();
  return query;
}

}  // namespace

std::vector<Connection> MachineConnections() {
  std::vector<Connection> connections;
  GetAdaptersAddressesFn query = AdapterQuery();
  if (!query) return connections;
  constexpr ULONG kFlags =
      GAA_FLAG_SKIP_UNICAST | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
  // The list can grow between the size query and the call: asked again then.
  std::vector<unsigned char> buffer(16 * 1024);
  ULONG size = static_cast<ULONG>(buffer.size());
  ULONG result = ERROR_BUFFER_OVERFLOW;
  for (int attempt = 0; attempt < 4 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
    buffer.resize(size);
    result = query(AF_INET, kFlags, nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
  }
  if (result != NO_ERROR) return connections;
  for (auto* adapter = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter; adapter = adapter->Next) {
    if (adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK || adapter->IfType == IF_TYPE_TUNNEL) continue;
    if (!adapter->FriendlyName || !adapter->FriendlyName[0]) continue;
    connections.push_back({AnsiFromWide(adapter->FriendlyName), adapter->IfIndex});
  }
  return connections;
}
