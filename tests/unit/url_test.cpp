// Cutting around markers and taking URLs apart.
#include "http/url.h"

#include <gtest/gtest.h>

namespace {

TEST(TextBetween, CutsBetweenMarkersOrGivesEmpty) {
  struct Case {
    const char* text;
    const char* left;
    const char* right;
    int start;
    bool ignoreCase;
    const char* expected;
  };
  const Case cases[] = {
      {"User-Agent: X/1\r\nA: b\r\n", "User-Agent:", "\r\n", 1, false, " X/1"},
      {"no marker here", "[", "]", 1, false, ""},
      {"[open but not closed", "[", "]", 1, false, ""},
      {"markers touch: []", "[", "]", 1, false, ""},
      {"right before left ] then [x]", "[", "]", 1, false, "x"},
      {"[a][b]", "[", "]", 2, false, "b"},
      {"[a][b]", "[", "]", 0, false, "a"},
      {"<TAG>v</tag>", "<tag>", "</TAG>", 1, true, "v"},
      {"<TAG>v</tag>", "<tag>", "</TAG>", 1, false, ""},
      {"name=\"value\" rest", "name=#引号", "#引号", 1, false, "value"},
      {"#引号x#引号", "#引号", "#引号", 1, false, ""},  // becomes a quote, which the text lacks
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextBetween(c.text, c.left, c.right, c.start, c.ignoreCase), c.expected) << c.text;
  }
}

TEST(TextBefore, GivesTheTextBeforeTheMarker) {
  EXPECT_EQ(TextBefore("Set-Cookie: a=1; Path=/", ": "), "Set-Cookie");
  EXPECT_EQ(TextBefore("Set-Cookie:a=1", ": "), "");
  EXPECT_EQ(TextBefore(": at the front", ": "), "");
  EXPECT_EQ(TextBefore("a:b:c", ":", 3), "a:b");
  EXPECT_EQ(TextBefore("a:b:c", ":", 0), "a");
  EXPECT_EQ(TextBefore("a:b:c", ":", -4), "a");
  EXPECT_EQ(TextBefore("HOST: x", "host", 1, true), "");
  EXPECT_EQ(TextBefore("x-HOST: x", "host", 1, true), "x-");
}

struct UrlCase {
  const char* url;
  const char* host;
  const char* hostWithPort;
  int port;
  const char* path;
};

TEST(UrlParts, HostPortAndPathByShapeOfUrl) {
  const UrlCase cases[] = {
      // capitals, three labels, port and a query
      {"HTTPS://WWW.Shop.EXAMPLE:8443/Cart/View?Id=7&Sort=Up", "www.shop.example", "www.shop.example:8443", 8443,
       "/Cart/View?Id=7&Sort=Up"},
      // bare host
      {"Plain.Example", "plain.example", "plain.example", 80, "/"},
      // scheme only before the host
      {"https://secure.example", "secure.example", "secure.example", 443, "/"},
      {"http://a.example/", "a.example", "a.example", 80, "/"},
      // a port that is not a number
      {"http://a.example:abc/x", "a.example", "a.example:abc", 0, "/x"},
      // a query straight after the host
      {"http://a.example?q=1", "a.example?q=1", "a.example?q=1", 80, "/"},
      // the default port looks at "https" alone
      {"httpsx.example/p", "httpsx.example", "httpsx.example", 443, "/p"},
      // the first "http://" anywhere is the scheme
      {"see http://b.example:81/x", "b.example", "b.example:81", 81, "/x"},
      {"", "", "", 80, "/"},
  };
  for (const UrlCase& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(GetUrlHost(c.url), c.host);
    EXPECT_EQ(GetUrlHost(c.url, false, true), c.hostWithPort);
    EXPECT_EQ(GetUrlPort(c.url), c.port);
    EXPECT_EQ(GetUrlPath(c.url), c.path);
  }
}

TEST(UrlParts, RootDomainInNormalMode) {
  EXPECT_EQ(GetUrlHost("http://w.x.y.z/p", true), "y.z");
  EXPECT_EQ(GetUrlHost("http://w.x.y.z:81/p", true), "y.z");
  EXPECT_EQ(GetUrlHost("http://w.x.y.z:81/p", true, true), "y.z:81");
  EXPECT_EQ(GetUrlHost("http://localhost/p", true), "localhost");
}

TEST(UrlParts, DomainModeKeepsTheLastLabels) {
  struct Case {
    const char* url;
    int levels;
    bool rootDomain;
    bool keepPort;
    const char* expected;
  };
  const Case cases[] = {
      {"http://a.b.c.d/p", 0, false, false, "c.d"},
      {"http://a.b.c.d/p", 1, false, false, "b.c.d"},
      {"http://a.b.c.d/p", 5, false, false, "a.b.c.d"},
      {"http://a.b.c.d/p", 0, true, false, "d"},
      {"http://a.b.c.d/p", 1, true, false, "c.d"},
      {"http://a.b.c.d/p", -3, false, false, "c.d"},
      {"HTTPS://X.B.C:8080/P/Q", 0, false, false, "b.c"},
      {"https://x.b.c:8080/p/q", 0, false, true, "b.c:8080"},
      {"x.b.c:8080", 0, false, false, "b.c"},
      {"single", 0, false, false, "single"},
      {"single", 0, true, false, "single"},
      {"a.b.c.", 0, false, false, "b.c."},  // a final "." belongs to the last label
      {"", 0, false, false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetUrlHost(c.url, c.rootDomain, c.keepPort, c.levels), c.expected)
        << c.url << " levels " << c.levels << " root " << c.rootDomain << " keepPort " << c.keepPort;
  }
  // Normal mode on the same URL keeps every label: only supplying levels selects the domain mode.
  EXPECT_EQ(GetUrlHost("http://a.b.c.d/p"), "a.b.c.d");
}

}  // namespace
