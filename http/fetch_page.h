// One HTTP or HTTPS request through WinINet (FetchPage, in fetch_page_win.cpp),
// and the portable plan it follows: verb, agent, proxy, flags, the header block
// as sent, the body, and what goes back into the caller's variables.
#pragma once

#include <optional>

#include "runtime/text.h"

// The parameters of FetchPage. A null pointer is a parameter the caller left
// out; a pointer to one of the caller's variables is read and written back.
// cookies is the one whose presence matters: supplied, even empty, it switches
// WinINet's own cookie handling off and lets the received cookies be merged.
struct PageRequest {
  Text url;
  int method = 0;                   // index into GET POST HEAD PUT OPTIONS DELETE TRACE CONNECT; others: GET
  Text postText;                    // body for any verb but GET, when postBytes is empty
  Text* cookies = nullptr;          // in/out: sent, then receives the merged cookies
  Text* returnedCookies = nullptr;  // out: the cookies the response set (merged)
  Text* headers = nullptr;          // in/out: extra lines, then the block as sent
  Text* returnedHeaders = nullptr;  // out: the raw response headers
  bool noRedirect = false;
  Bytes* postBytes = nullptr;  // in/out: body bytes; receives postText's bytes when empty
  Text proxy;                  // empty: a direct connection
  bool mergeCookies = true;
  bool completeHeaders = true;
  bool normaliseHeaders = true;
};

// Performs the request and returns the response body; empty when anything
// fails. On a failure to open the Internet, connection or request handle none
// of the caller's variables is touched.
Bytes FetchPage(const PageRequest& request);

// WinINet's request flags, as passed to HttpOpenRequestA.
constexpr unsigned long kFlagReload = 0x80000000UL;
constexpr unsigned long kFlagNeedFile = 0x10UL;
constexpr unsigned long kFlagNoCookies = 0x80000UL;
constexpr unsigned long kFlagNoAutoRedirect = 0x200000UL;
constexpr unsigned long kFlagSecure = 0x800000UL;
constexpr unsigned long kFlagIgnoreRedirectToHttps = 0x4000UL;
constexpr unsigned long kOpenTypeDirect = 1;
constexpr unsigned long kOpenTypeProxy = 3;

constexpr char kDefaultAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// Everything FetchPage passes to WinINet, worked out before the first call.
struct RequestPlan {
  Text verb;
  bool secure = false;
  Text agent;
  unsigned long accessType = kOpenTypeDirect;
  std::optional<Text> proxyList;    // null for a direct connection
  std::optional<Text> proxyBypass;  // empty and not null with a proxy
  Text host;
  int port = 0;
  Text path;
  unsigned long flags = 0;
  Text headers;  // the header block as sent
  Bytes body;
  bool writesPostBytes = false;  // the caller's postBytes receives body
};

RequestPlan PlanRequest(const PageRequest& request);

// After the request: writes the header block, postBytes, the raw headers and
// the harvested (and, when asked, merged) cookies into the caller's variables.
void FinishRequest(const PageRequest& request, const RequestPlan& plan, const Text& rawHeaders);

// The cookie items of the raw response headers' "Set-Cookie: " lines, joined by "; ".
Text HarvestCookies(const Text& rawHeaders);

// The bytes after the text's first ":", trimmed; empty without a ":".
Text ValueAfterColon(const Text& text);
