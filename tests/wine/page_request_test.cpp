// FetchPage with the real WinINet against the loopback server of
// with-http-server.sh: what arrives there, and what comes back to the caller.
#include <windows.h>
#include <gtest/gtest.h>

#include "http/fetch_page.h"

namespace {

Text Environment(const char* name) {
  char value[256];
  DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length && length < sizeof value ? Text(value, length) : Text();
}

Text Server() { return "http://127.0.0.1:" + Environment("NEVROLT_HTTP_PORT"); }

Text AsText(const Bytes& bytes) { return Text(bytes.begin(), bytes.end()); }

// The request the server echoed, cut into its head (up to the empty line) and body.
struct Echo {
  Text head;
  Text body;
};

Echo Fetch(PageRequest request) {
  const Text echoed = AsText(FetchPage(request));
  const size_t end = echoed.find("\r\n\r\n");
  if (end == Text::npos) return {echoed, ""};
  return {echoed.substr(0, end + 2), echoed.substr(end + 4)};
}

PageRequest Request(const Text& path) {
  PageRequest request;
  request.url = Server() + path;
  return request;
}

TEST(PageRequest, RequestLineCarriesVerbAndPath) {
  const std::pair<int, const char*> cases[] = {
      {0, "GET /echo/Some/Path?q=1&r=A HTTP/1.1\r\n"},
      {5, "DELETE /echo/Some/Path?q=1&r=A HTTP/1.1\r\n"},
      {8, "GET /echo/Some/Path?q=1&r=A HTTP/1.1\r\n"},
  };
  for (const auto& [method, line] : cases) {
    PageRequest request = Request("/echo/Some/Path?q=1&r=A");
    request.method = method;
    const Echo echo = Fetch(request);
    EXPECT_EQ(echo.head.substr(0, echo.head.find("\r\n") + 2), line) << method;
  }
}

TEST(PageRequest, HeaderBlockArrivesByteForByte) {
  Text headers = "x-probe: One Two\r\nuser-agent: Probe/9.1\r\naccept: text/plain";
  Text cookies = "sid=7; theme=dark";
  PageRequest request = Request("/echo");
  request.headers = &headers;
  request.cookies = &cookies;
  const Echo echo = Fetch(request);
  const Text sent = "X-Probe: One Two\r\nUser-Agent: Probe/9.1\r\nAccept: text/plain\r\nReferer: " + request.url +
                    "\r\nAccept-Language: zh-cn\r\nCookie: sid=7; theme=dark";
  EXPECT_EQ(headers, sent);
  EXPECT_NE(echo.head.find("\r\n" + sent + "\r\n"), Text::npos) << echo.head;
  EXPECT_EQ(echo.head.find("Mozilla"), Text::npos) << "the caller's agent replaces the default one\n" << echo.head;
}

TEST(PageRequest, DefaultHeadersAndAgentWithTheUrlAlone) {
  const Echo echo = Fetch(Request("/echo"));
  const Text block = "Accept: */*\r\nReferer: " + Server() + "/echo\r\nAccept-Language: zh-cn";
  EXPECT_NE(echo.head.find("\r\n" + block + "\r\n"), Text::npos) << echo.head;
  EXPECT_NE(echo.head.find("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\r\n"), Text::npos)
      << echo.head;
}

TEST(PageRequest, CookiesSentHarvestedAndMerged) {
  Text cookies = "keep=1; sid=old";
  Text returnedCookies;
  Text returnedHeaders;
  PageRequest request = Request("/cookies");
  request.cookies = &cookies;
  request.returnedCookies = &returnedCookies;
  request.returnedHeaders = &returnedHeaders;
  EXPECT_EQ(AsText(FetchPage(request)), "cookies");
  EXPECT_EQ(returnedHeaders.substr(0, 17), "HTTP/1.1 200 OK\r\n") << returnedHeaders;
  EXPECT_NE(returnedHeaders.find("\r\nSet-Cookie: sid=new; Path=/; HttpOnly\r\n"), Text::npos) << returnedHeaders;
  EXPECT_EQ(returnedHeaders.substr(returnedHeaders.size() - 4), "\r\n\r\n");
  EXPECT_EQ(returnedCookies, "sid=new; b=2; keep=1");
  EXPECT_EQ(cookies, "sid=new; b=2; keep=1");

  // The merged text goes out with the next request.
  request.url = Server() + "/echo";
  const Echo echo = Fetch(request);
  EXPECT_NE(echo.head.find("\r\nCookie: sid=new; b=2; keep=1\r\n"), Text::npos) << echo.head;
}

TEST(PageRequest, RedirectIsFollowedOrWithNoRedirectReturned) {
  Text cookies;
  Text returnedCookies;
  Text returnedHeaders;
  PageRequest request = Request("/redirect");
  request.cookies = &cookies;
  request.returnedCookies = &returnedCookies;
  request.returnedHeaders = &returnedHeaders;
  EXPECT_EQ(AsText(FetchPage(request)), "landing body");
  EXPECT_EQ(returnedHeaders.substr(0, 17), "HTTP/1.1 200 OK\r\n") << returnedHeaders;
  EXPECT_EQ(returnedCookies, "landed=1");

  cookies.clear();
  request.noRedirect = true;
  EXPECT_EQ(AsText(FetchPage(request)), "redirect body");
  EXPECT_EQ(returnedHeaders.substr(0, 20), "HTTP/1.1 302 Found\r\n") << returnedHeaders;
  EXPECT_NE(returnedHeaders.find("\r\nLocation: " + Server() + "/landing\r\n"), Text::npos) << returnedHeaders;
  EXPECT_EQ(returnedCookies, "moved=1");
  EXPECT_EQ(cookies, "moved=1");
}

TEST(PageRequest, PostSendsTheBodyWithItsContentType) {
  Bytes postBytes;
  PageRequest request = Request("/echo/form");
  request.method = 1;
  request.postText = "name=a+b&city=%E5%8C%97";
  request.postBytes = &postBytes;
  const Echo echo = Fetch(request);
  EXPECT_EQ(echo.head.substr(0, 26), "POST /echo/form HTTP/1.1\r\n") << echo.head;
  EXPECT_NE(echo.head.find("\r\nContent-Type: application/x-www-form-urlencoded\r\n"), Text::npos) << echo.head;
  EXPECT_NE(echo.head.find("\r\nContent-Length: 23\r\n"), Text::npos) << echo.head;
  EXPECT_EQ(echo.body, "name=a+b&city=%E5%8C%97");
  EXPECT_EQ(postBytes, TextToBytes("name=a+b&city=%E5%8C%97"));

  // Bytes with zeros go out whole, with PUT and no form type.
  Bytes binary = {'a', 0, 0xFF, 0, 'z'};
  PageRequest put = Request("/echo/raw");
  put.method = 3;
  put.postText = "ignored";
  put.postBytes = &binary;
  const Echo raw = Fetch(put);
  EXPECT_EQ(raw.head.substr(0, 24), "PUT /echo/raw HTTP/1.1\r\n");
  EXPECT_EQ(raw.head.find("Content-Type:"), Text::npos) << raw.head;
  EXPECT_EQ(raw.body, Text("a\0\xFF\0z", 5));
}

TEST(PageRequest, HeadersOver5000BytesAreHarvestedWhole) {
  Text returnedCookies;
  Text returnedHeaders;
  PageRequest request = Request("/big-headers");
  request.returnedCookies = &returnedCookies;
  request.returnedHeaders = &returnedHeaders;
  EXPECT_EQ(AsText(FetchPage(request)), "big");
  EXPECT_GT(returnedHeaders.size(), 8000u);
  EXPECT_NE(returnedHeaders.find("\r\nX-Filler-79: " + Text(100, 'f') + "\r\n"), Text::npos);
  EXPECT_EQ(returnedHeaders.substr(returnedHeaders.size() - 4), "\r\n\r\n");
  EXPECT_EQ(returnedCookies, "big=1; huge=2");
}

TEST(PageRequest, GoesThroughAProxy) {
  PageRequest request;
  request.url = "http://nevrolt.invalid/through/proxy?x=1";
  request.proxy = "127.0.0.1:" + Environment("NEVROLT_HTTP_PORT");
  // The proxy gets the whole URL in the request line; Wine's WinINet writes the port 80 into it.
  const Text body = AsText(FetchPage(request));
  EXPECT_TRUE(body == "proxied http://nevrolt.invalid/through/proxy?x=1" ||
              body == "proxied http://nevrolt.invalid:80/through/proxy?x=1")
      << body;
}

TEST(PageRequest, FailedSendGivesEmptyBodyAndEmptyHeaders) {
  Text cookies = "a = 1";
  Text returnedCookies = "stale";
  Text returnedHeaders = "stale";
  PageRequest request;
  request.url = "http://127.0.0.1:" + Environment("NEVROLT_CLOSED_PORT") + "/";
  request.cookies = &cookies;
  request.returnedCookies = &returnedCookies;
  request.returnedHeaders = &returnedHeaders;
  EXPECT_TRUE(FetchPage(request).empty());
  // No response arrived: a failed header query gives an empty text; Wine's WinINet answers with a lone CR LF.
  EXPECT_TRUE(returnedHeaders.empty() || returnedHeaders == "\r\n") << returnedHeaders;
  EXPECT_EQ(returnedCookies, "a=1");
  EXPECT_EQ(cookies, "a=1");
}

TEST(PageRequest, ConnectionThatCannotOpenTouchesNothing) {
  // No host: InternetConnectA refuses, one of the three early returns.
  Text headers = "A: 1";
  Text cookies = "c = 1";
  Text returnedCookies = "kept";
  Text returnedHeaders = "kept";
  Bytes postBytes;
  PageRequest request;
  request.url = "http:///nothing";
  request.method = 1;
  request.postText = "x=1";
  request.headers = &headers;
  request.cookies = &cookies;
  request.returnedCookies = &returnedCookies;
  request.returnedHeaders = &returnedHeaders;
  request.postBytes = &postBytes;
  EXPECT_TRUE(FetchPage(request).empty());
  EXPECT_EQ(headers, "A: 1");
  EXPECT_EQ(cookies, "c = 1");
  EXPECT_EQ(returnedCookies, "kept");
  EXPECT_EQ(returnedHeaders, "kept");
  EXPECT_TRUE(postBytes.empty());
}

}  // namespace
