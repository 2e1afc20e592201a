// 检测联网状况: probes one fixed site over WinINet and answers 已联网 or 未联网.
#include "actions/connectivity.h"

#include "actions/handlers.h"
#include "actions/probe_site.h"
#include "http/fetch_page.h"
#include "http/internet_check.h"
#include "runtime/window.h"

bool IsOnline() {
  if (!CheckConnection(kConnectivityProbe.reachabilityUrl)) return false;
  PageRequest request;
  request.url = kConnectivityProbe.pageUrl;
  return FindBytes(FetchPage(request), kConnectivityProbe.marker) != -1;
}

void OnConnectivityButton() {
  // The probes hold the window; a second gives a failing first one another chance.
  BeginWaitCursor();
  bool online = IsOnline() || IsOnline();
  EndWaitCursor();
  ShowMessage(online ? "已联网" : "未联网");
}
