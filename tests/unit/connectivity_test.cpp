// 检测联网状况: probes, page requests and the one message, by the answers WinINet gives.
#include "actions/connectivity.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/handlers.h"
#include "actions/probe_site.h"
#include "tests/fakes/http_fakes.h"
#include "tests/fakes/runtime_fakes.h"

using testing::ElementsAre;

namespace {

const Bytes kMarker = TextToBytes("\xE7\x99\xBE\xE5\xBA\xA6\xE4\xB8\x80\xE4\xB8\x8B");
const Bytes kPage =
    ConcatBytes(TextToBytes(Text("<html>\0<input value=\"", 20)), ConcatBytes(kMarker, TextToBytes("\"></html>")));
const Bytes kPageWithoutMarker = TextToBytes("<html>\xE7\x99\xBE\xE5\xBA\xA6</html>");

TEST(ConnectivityProbe, IsTheFixedSiteAndMarker) {
  EXPECT_EQ(kConnectivityProbe.reachabilityUrl, "https://www.baidu.com");
  EXPECT_EQ(kConnectivityProbe.pageUrl, "https://www.baidu.com/");
  EXPECT_EQ(kConnectivityProbe.marker, kMarker);
}

TEST(ConnectivityCheck, AnswersByProbe) {
  struct Case {
    const char* what;
    std::deque<bool> reachable;
    std::deque<Bytes> pages;
    size_t checks;
    size_t fetches;
    const char* message;
  };
  const Case cases[] = {
      {"marker on the page", {true}, {kPage}, 1, 1, "已联网"},
      {"page without marker twice", {true, true}, {kPageWithoutMarker, kPageWithoutMarker}, 2, 2, "未联网"},
      {"empty page twice", {true, true}, {{}, {}}, 2, 2, "未联网"},
      {"unreachable twice: no page requested", {false, false}, {}, 2, 0, "未联网"},
      {"second probe succeeds", {false, true}, {kPage}, 2, 1, "已联网"},
      {"second page holds the marker", {true, true}, {kPageWithoutMarker, kPage}, 2, 2, "已联网"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetRuntimeFakes();
    ResetHttpFakes();
    httpFakes.connectionAnswers = c.reachable;
    httpFakes.pages = c.pages;
    OnConnectivityButton();
    EXPECT_THAT(fakes.messages, ElementsAre(ShownMessage{c.message, 0}));
    // The wait cursor covers every probe and is gone before the answer shows.
    EXPECT_EQ(httpFakes.callsWithoutWaitCursor, 0);
    EXPECT_FALSE(fakes.messages[0].underWaitCursor);
    EXPECT_FALSE(fakes.waitCursor);
    EXPECT_EQ(httpFakes.checkedUrls, std::vector<Text>(c.checks, "https://www.baidu.com"));
    ASSERT_EQ(httpFakes.fetched.size(), c.fetches);
    for (const PageRequest& request : httpFakes.fetched) {
      // The URL alone: every other parameter left out.
      EXPECT_EQ(request.url, "https://www.baidu.com/");
      EXPECT_EQ(request.method, 0);
      EXPECT_EQ(request.cookies, nullptr);
      EXPECT_EQ(request.headers, nullptr);
      EXPECT_EQ(request.postBytes, nullptr);
      EXPECT_TRUE(request.proxy.empty());
      EXPECT_TRUE(request.completeHeaders && request.normaliseHeaders && request.mergeCookies && !request.noRedirect);
    }
  }
}

}  // namespace
