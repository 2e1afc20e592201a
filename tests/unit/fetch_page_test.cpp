// The request plan of FetchPage (what goes to WinINet) and what it writes back
// into the caller's variables afterwards.
#include "http/fetch_page.h"

#include <gtest/gtest.h>

namespace {

const char kDefaultBlock[] = "Accept: */*\r\nReferer: https://a.example/p\r\nAccept-Language: zh-cn";
const char kFormType[] = "\r\nContent-Type: application/x-www-form-urlencoded";

PageRequest Request(const Text& url) {
  PageRequest request;
  request.url = url;
  return request;
}

TEST(PlanRequest, UrlAloneSecureAndPlain) {
  const RequestPlan secure = PlanRequest(Request("https://a.example/p"));
  EXPECT_EQ(secure.verb, "GET");
  EXPECT_TRUE(secure.secure);
  EXPECT_EQ(secure.agent, "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
  EXPECT_EQ(secure.accessType, 1u);
  EXPECT_FALSE(secure.proxyList.has_value());
  EXPECT_FALSE(secure.proxyBypass.has_value());
  EXPECT_EQ(secure.host, "a.example");
  EXPECT_EQ(secure.port, 443);
  EXPECT_EQ(secure.path, "/p");
  EXPECT_EQ(secure.flags, 0x80000000UL | 0x10UL | 0x800000UL);
  EXPECT_EQ(secure.headers, kDefaultBlock);
  EXPECT_TRUE(secure.body.empty());

  const RequestPlan plain = PlanRequest(Request("HTTP://B.example:8080/Q?x=1"));
  EXPECT_FALSE(plain.secure);
  EXPECT_EQ(plain.flags, 0x80000000UL | 0x10UL | 0x4000UL);
  EXPECT_EQ(plain.host, "b.example");
  EXPECT_EQ(plain.port, 8080);
  EXPECT_EQ(plain.path, "/Q?x=1");
  EXPECT_EQ(plain.headers, "Accept: */*\r\nReferer: HTTP://B.example:8080/Q?x=1\r\nAccept-Language: zh-cn");
}

TEST(PlanRequest, VerbByMethodOutOfRangeIsGet) {
  const std::pair<int, const char*> verbs[] = {{0, "GET"},    {1, "POST"},  {2, "HEAD"},    {3, "PUT"}, {4, "OPTIONS"},
                                               {5, "DELETE"}, {6, "TRACE"}, {7, "CONNECT"}, {8, "GET"}, {-1, "GET"}};
  for (const auto& [method, verb] : verbs) {
    PageRequest request = Request("http://a.example/");
    request.method = method;
    request.postText = "x=1";
    const RequestPlan plan = PlanRequest(request);
    EXPECT_EQ(plan.verb, verb) << method;
    // Only a method that becomes GET sends no body.
    EXPECT_EQ(plan.body.empty(), CompareText(verb, "GET") == 0) << method;
  }
}

TEST(PlanRequest, BodiesAndContentType) {
  Bytes postBytes;
  PageRequest post = Request("https://a.example/p");
  post.method = 1;
  post.postText = "a=1&b=2";
  post.postBytes = &postBytes;
  RequestPlan plan = PlanRequest(post);
  EXPECT_EQ(plan.headers, Text(kDefaultBlock) + kFormType);
  EXPECT_EQ(plan.body, TextToBytes("a=1&b=2"));
  EXPECT_TRUE(postBytes.empty()) << "nothing is written before the request";
  FinishRequest(post, plan, "");
  EXPECT_EQ(postBytes, TextToBytes("a=1&b=2"));

  PageRequest put = Request("https://a.example/p");
  put.method = 3;
  put.postText = "a=1";
  plan = PlanRequest(put);
  EXPECT_EQ(plan.headers, kDefaultBlock);
  EXPECT_EQ(plan.body, TextToBytes("a=1"));

  Bytes given = {0, 1, 2, 0xFF};
  PageRequest bytes = Request("https://a.example/p");
  bytes.method = 1;
  bytes.postText = "ignored";
  bytes.postBytes = &given;
  plan = PlanRequest(bytes);
  EXPECT_EQ(plan.body, given);
  FinishRequest(bytes, plan, "");
  EXPECT_EQ(given, (Bytes{0, 1, 2, 0xFF}));

  // GET sends no body and leaves postBytes alone.
  Bytes untouched;
  PageRequest get = Request("https://a.example/p");
  get.postText = "x";
  get.postBytes = &untouched;
  plan = PlanRequest(get);
  EXPECT_TRUE(plan.body.empty());
  FinishRequest(get, plan, "");
  EXPECT_TRUE(untouched.empty());
}

TEST(PlanRequest, HeaderBlockAsSent) {
  struct Case {
    const char* what;
    const char* headers;
    const char* cookies;  // nullptr: not supplied
    bool complete;
    bool normalise;
    int method;
    const char* expected;
  };
  const Case cases[] = {
      {"caller lines first, names normalised", "x-token: Ab", nullptr, true, true, 0,
       "X-Token: Ab\r\nAccept: */*\r\nReferer: https://a.example/p\r\nAccept-Language: zh-cn"},
      {"defaults present in any case are not added", "accept: text/html\r\nREFERER: r\r\naccept-language: en\r\n",
       nullptr, true, true, 1,
       "Accept: text/html\r\nREFERER: r\r\nAccept-Language: en\r\nContent-Type: application/x-www-form-urlencoded"},
      {"a name merely ending in Accept suppresses Accept", "X-Accept: 1", nullptr, true, false, 0,
       "X-Accept: 1\r\nReferer: https://a.example/p\r\nAccept-Language: zh-cn"},
      {"caller's Content-Type kept", "content-type: text/plain", nullptr, true, true, 1,
       "Content-Type: text/plain\r\nAccept: */*\r\nReferer: https://a.example/p\r\nAccept-Language: zh-cn"},
      {"nothing added, nothing normalised", "", nullptr, false, false, 0, ""},
      {"no normalising keeps names", "x-a: 1\r\n", nullptr, false, false, 0, "x-a: 1\r\n"},
      {"cookies supplied empty: no line", "", "", false, false, 0, ""},
      {"one cookie item", "", "sid=1", true, true, 0,
       "Accept: */*\r\nReferer: https://a.example/p\r\n"
       "Accept-Language: zh-cn\r\nCookie: sid=1"},
      {"a cookie text with its own Cookie: goes unchanged", "A: 1", "Cookie: sid=1", false, true, 0,
       "A: 1\r\nCookie: sid=1"},
      {"cookie line after an empty block", "", "a=1; b=2", false, false, 0, "\r\nCookie: a=1; b=2"},
      {"cookie text is not normalised", "", "cookie: x", false, true, 0, "\r\nCookie: cookie: x"},
  };
  for (const Case& c : cases) {
    Text headers = c.headers;
    Text cookies = c.cookies ? c.cookies : "";
    PageRequest request = Request("https://a.example/p");
    request.headers = &headers;
    request.cookies = c.cookies ? &cookies : nullptr;
    request.completeHeaders = c.complete;
    request.normaliseHeaders = c.normalise;
    request.method = c.method;
    const RequestPlan plan = PlanRequest(request);
    EXPECT_EQ(plan.headers, c.expected) << c.what;
    EXPECT_EQ((plan.flags & 0x80000UL) != 0, c.cookies != nullptr) << c.what;
    EXPECT_EQ(headers, c.headers) << c.what << ": written only after the request";
    FinishRequest(request, plan, "");
    EXPECT_EQ(headers, c.expected) << c.what;
  }
}

TEST(PlanRequest, AgentIsTheValueOfTheLineNamedUserAgent) {
  struct Case {
    const char* headers;
    const char* agent;
    const char* sent;
  };
  const Case cases[] = {
      {"user-agent:  Probe/2.0 ", "Probe/2.0", "User-Agent:  Probe/2.0 "},
      {"User-Agent: Ua/1\r\nAccept: */*", "Ua/1", "User-Agent: Ua/1\r\nAccept: */*"},
      // The name in another case, after another line: that line's value, not the first line's.
      {"Host: h:81\r\nUSER-AGENT: Ua/3", "Ua/3", "Host: h:81\r\nUSER-AGENT: Ua/3"},
      {"A: 1\r\nuser-agent: first\r\nUser-Agent: second", "first", ""},
      {"User-Agent:", "", ""},
      {"X-User-Agent: other", kDefaultAgent, ""},
      {"Accept: */*", kDefaultAgent, ""},
  };
  for (const Case& c : cases) {
    Text headers = c.headers;
    PageRequest request = Request("https://a.example/p");
    request.headers = &headers;
    request.completeHeaders = false;
    const RequestPlan plan = PlanRequest(request);
    EXPECT_EQ(plan.agent, c.agent) << c.headers;
    if (*c.sent) {
      EXPECT_EQ(plan.headers, c.sent) << c.headers;
    }
  }
}

TEST(PlanRequest, ProxyList) {
  PageRequest plain = Request("http://a.example/");
  plain.proxy = "127.0.0.1:3128";
  RequestPlan plan = PlanRequest(plain);
  EXPECT_EQ(plan.accessType, 3u);
  EXPECT_EQ(plan.proxyList, Text("http=127.0.0.1:3128"));
  EXPECT_EQ(plan.proxyBypass, Text(""));

  PageRequest secure = Request("https://a.example/");
  secure.proxy = "127.0.0.1:3128";
  plan = PlanRequest(secure);
  EXPECT_EQ(plan.proxyList, Text("127.0.0.1:3128"));
}

TEST(PlanRequest, NoRedirectFlag) {
  PageRequest request = Request("http://a.example/");
  request.noRedirect = true;
  EXPECT_EQ(PlanRequest(request).flags, 0x80000000UL | 0x10UL | 0x4000UL | 0x200000UL);
}

TEST(HarvestCookies, TakesTheItemOfEachSetCookieLine) {
  struct Case {
    const char* raw;
    const char* cookies;
  };
  const Case cases[] = {
      {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; Path=/; HttpOnly\r\nSet-Cookie: b=2\r\n\r\n", "a=1; b=2"},
      {"HTTP/1.1 200 OK\r\nset-cookie: a=1\r\nSET-COOKIE: b=2\r\n\r\n", ""},
      {"HTTP/1.1 200 OK\r\nSet-Cookie:a=1\r\n\r\n", ""},
      {"HTTP/1.1 200 OK\r\nX-Set-Cookie: a=1\r\nSet-Cookie: c = 3 \r\n\r\n", "c = 3"},
      {"Set-Cookie: ; Path=/\r\nSet-Cookie: d=4", "; d=4"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(HarvestCookies(c.raw), c.cookies) << c.raw;
}

const char kRaw[] = "HTTP/1.1 200 OK\r\nSet-Cookie: a=9; Path=/\r\nSet-Cookie: n=1\r\nSet-Cookie: x=deleted\r\n\r\n";

TEST(FinishRequest, WritesRawHeadersAndMergedCookies) {
  Text cookies = "x=1; k = 2";
  Text returnedCookies = "stale";
  Text returnedHeaders = "stale";
  PageRequest request = Request("http://a.example/");
  request.cookies = &cookies;
  request.returnedCookies = &returnedCookies;
  request.returnedHeaders = &returnedHeaders;
  FinishRequest(request, PlanRequest(request), kRaw);
  EXPECT_EQ(returnedHeaders, kRaw);
  EXPECT_EQ(returnedCookies, "a=9; n=1; k=2");
  EXPECT_EQ(cookies, "a=9; n=1; k=2");
}

TEST(FinishRequest, CookiesSuppliedEmptyReceiveTheReceivedOnes) {
  Text cookies;
  Text returnedCookies;
  PageRequest request = Request("http://a.example/");
  request.cookies = &cookies;
  request.returnedCookies = &returnedCookies;
  FinishRequest(request, PlanRequest(request), "HTTP/1.1 200 OK\r\nSet-Cookie: a = 1\r\nSet-Cookie: a = 1\r\n\r\n");
  EXPECT_EQ(cookies, "a=1");
  EXPECT_EQ(returnedCookies, "a=1");
}

TEST(FinishRequest, WithoutMergingOrWithoutCookiesTheHarvestIsReturnedAsItIs) {
  Text cookies = "k=2";
  Text returnedCookies;
  PageRequest request = Request("http://a.example/");
  request.cookies = &cookies;
  request.returnedCookies = &returnedCookies;
  request.mergeCookies = false;
  FinishRequest(request, PlanRequest(request), kRaw);
  EXPECT_EQ(returnedCookies, "a=9; n=1; x=deleted");
  EXPECT_EQ(cookies, "k=2");

  request.mergeCookies = true;
  request.cookies = nullptr;
  FinishRequest(request, PlanRequest(request), kRaw);
  EXPECT_EQ(returnedCookies, "a=9; n=1; x=deleted");
}

TEST(FinishRequest, FailedSendLeavesOnlyTheCallerCookiesMerged) {
  Text cookies = "b = 2; x=deleted";
  Text returnedCookies = "stale";
  Text returnedHeaders = "stale";
  PageRequest request = Request("http://a.example/");
  request.cookies = &cookies;
  request.returnedCookies = &returnedCookies;
  request.returnedHeaders = &returnedHeaders;
  FinishRequest(request, PlanRequest(request), "");
  EXPECT_EQ(returnedHeaders, "");
  EXPECT_EQ(returnedCookies, "b=2");
  EXPECT_EQ(cookies, "b=2");
}

TEST(ValueAfterColon, TrimmedTextAfterTheFirstColon) {
  EXPECT_EQ(ValueAfterColon("user-agent:  Ua/1 :x "), "Ua/1 :x");
  EXPECT_EQ(ValueAfterColon("no colon"), "");
  EXPECT_EQ(ValueAfterColon("a:"), "");
}

}  // namespace
