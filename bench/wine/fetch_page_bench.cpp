// FetchPage of a 32 MiB body from the loopback server (NEVROLT_HTTP_PORT),
// side by side with a plain WinINet loop reading 64 KiB at a time into a
// buffer sized once. FetchPage reads 1024 bytes per call and appends each
// chunk to the growing body; the ratio and the cost per 32 MiB are reported.
#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "http/fetch_page.h"
#include "http/wininet_win.h"

namespace {

const size_t kSize = 32u << 20;

std::string Url() {
  char port[16] = {};
  GetEnvironmentVariableA("NEVROLT_HTTP_PORT", port, sizeof port);
  return std::string("http://127.0.0.1:") + port + "/bytes?n=" + std::to_string(kSize);
}

size_t PlainLoop(const std::string& url) {
  const WinInetCalls* inet = WinInet();
  PageRequest page;
  page.url = url;
  const RequestPlan plan = PlanRequest(page);
  HINTERNET internet = inet->open(kDefaultAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  HINTERNET connection = inet->connect(internet, plan.host.c_str(), static_cast<INTERNET_PORT>(plan.port), nullptr,
                                       nullptr, INTERNET_SERVICE_HTTP, 0, 0);
  HINTERNET request =
      inet->openRequest(connection, "GET", plan.path.c_str(), "HTTP/1.1", nullptr, nullptr, plan.flags, 0);
  inet->sendRequest(request, plan.headers.c_str(), static_cast<DWORD>(plan.headers.size()), nullptr, 0);
  std::vector<unsigned char> body(kSize + 65536);
  size_t total = 0;
  for (;;) {
    DWORD read = 0;
    if (total + 65536 > body.size()) body.resize(body.size() * 2);
    if (!inet->readFile(request, body.data() + total, 65536, &read) || read == 0) break;
    total += read;
  }
  inet->closeHandle(request);
  inet->closeHandle(connection);
  inet->closeHandle(internet);
  return total;
}

// Seconds of the best of several runs; the size each run got is checked.
double Best(const std::function<size_t()>& fetch, const char* what) {
  double best = 1e30;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const size_t got = fetch();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (got != kSize) std::printf("%s: got %zu bytes instead of %zu\n", what, got, kSize);
    if (took.count() < best) best = took.count();
  }
  return best;
}

}  // namespace

int main() {
  const std::string url = Url();
  if (!WinInet()) {
    std::printf("WinINet could not be loaded\n");
    return 1;
  }
  PageRequest request;
  request.url = url;
  const double page = Best([&] { return FetchPage(request).size(); }, "FetchPage");
  const double plain = Best([&] { return PlainLoop(url); }, "64 KiB loop");
  const double mib = static_cast<double>(kSize) / (1 << 20);
  std::printf("Page request of 32 MiB from loopback under Wine (best of 5)\n");
  std::printf("FetchPage, 1024-byte reads     %7.1f ms  %7.1f MiB/s\n", page * 1000, mib / page);
  std::printf("WinINet loop, 64 KiB reads     %7.1f ms  %7.1f MiB/s\n", plain * 1000, mib / plain);
  std::printf("ratio FetchPage / loop time    %7.2f  (cost %.1f ms per 32 MiB; no fixed goal)\n", page / plain,
              (page - plain) * 1000);
  return 0;
}
