// The WinINet half of FetchPage: the calls, in order, with the plan's arguments.
#include "http/fetch_page.h"
#include "http/wininet_win.h"
#include "runtime/handles_win.h"

namespace {

const DWORD kReadSize = 1024;
const DWORD kHeaderSize = 5000;

const char* OrNull(const std::optional<Text>& text) { return text ? text->c_str() : nullptr; }

// The raw response headers, read whole: when they do not fit, WinINet reports
// the size they need and is asked again. Empty when the query fails.
Text RawHeaders(const WinInetCalls& inet, HINTERNET request) {
  std::string buffer(kHeaderSize, '\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD length = static_cast<DWORD>(buffer.size());
    if (inet.queryInfo(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr)) {
      return MakeText(std::string_view(buffer.data(), length));
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || length <= buffer.size()) break;
    buffer.assign(length + 1, '\0');
  }
  return Text();
}

}  // namespace

Bytes FetchPage(const PageRequest& request) {
  const WinInetCalls* inet = WinInet();
  if (!inet) return {};
  const RequestPlan plan = PlanRequest(request);

  // Closed in the reverse order of opening, the request first.
  InternetHandle internet(
      inet->open(plan.agent.c_str(), plan.accessType, OrNull(plan.proxyList), OrNull(plan.proxyBypass), 0),
      inet->closeHandle);
  if (!internet) return {};
  InternetHandle connection(inet->connect(internet.get(), plan.host.c_str(), static_cast<INTERNET_PORT>(plan.port),
                                          nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0),
                            inet->closeHandle);
  if (!connection) return {};
  InternetHandle handle(inet->openRequest(connection.get(), plan.verb.c_str(), plan.path.c_str(), "HTTP/1.1", nullptr,
                                          nullptr, plan.flags, 0),
                        inet->closeHandle);
  if (!handle) return {};

  Bytes body = plan.body;  // HttpSendRequestA takes a writable pointer
  inet->sendRequest(handle.get(), plan.headers.c_str(), static_cast<DWORD>(plan.headers.size()),
                    body.empty() ? nullptr : body.data(), static_cast<DWORD>(body.size()));

  Bytes page;
  unsigned char chunk[kReadSize];
  for (;;) {
    DWORD read = 0;
    inet->readFile(handle.get(), chunk, kReadSize, &read);
    if (read == 0) break;
    page.insert(page.end(), chunk, chunk + read);
  }
  const Text rawHeaders = RawHeaders(*inet, handle.get());

  handle.reset();
  connection.reset();
  internet.reset();
  FinishRequest(request, plan, rawHeaders);
  return page;
}
