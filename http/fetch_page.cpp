// The portable half of FetchPage: what it sends and what it writes back.
#include "http/fetch_page.h"

#include "http/cookies.h"
#include "http/header_names.h"
#include "http/url.h"

namespace {

const char* const kVerbs[] = {"GET", "POST", "HEAD", "PUT", "OPTIONS", "DELETE", "TRACE", "CONNECT"};

bool Holds(const Text& block, const char* name) { return FindText(block, name, 1, true) != -1; }

// The trimmed value of the first line named User-Agent in any letter case;
// the default agent when no line has that name.
Text AgentOf(const Text& headers) {
  for (const Text& line : SplitText(headers, "\r\n")) {
    const int colon = FindText(line, ":");
    if (colon != -1 && ToLowerAscii(LeftText(line, colon - 1)) == "user-agent") return ValueAfterColon(line);
  }
  return kDefaultAgent;
}

Text HeaderBlock(const PageRequest& request, int method) {
  Text block = request.headers ? *request.headers : Text();
  if (request.completeHeaders) {
    if (block.empty()) block = "Accept: */*";
    if (!Holds(block, "Accept:")) block += "\r\nAccept: */*";
    if (!Holds(block, "Referer:")) block += "\r\nReferer: " + request.url;
    if (!Holds(block, "Accept-Language:")) block += "\r\nAccept-Language: zh-cn";
    if (method == 1 && !Holds(block, "Content-Type:")) {
      block += "\r\nContent-Type: application/x-www-form-urlencoded";
    }
  }
  if (request.normaliseHeaders) block = NormaliseHeaderNames(block);
  if (request.cookies && !request.cookies->empty()) {
    block += FindText(*request.cookies, "Cookie:") != -1 ? "\r\n" : "\r\nCookie: ";
    block += *request.cookies;
  }
  return block;
}

}  // namespace

RequestPlan PlanRequest(const PageRequest& request) {
  RequestPlan plan;
  const int method = request.method < 0 || request.method > 7 ? 0 : request.method;
  plan.verb = kVerbs[method];
  plan.secure = LeftText(ToLowerAscii(request.url), 8) == "https://";
  plan.agent = request.headers && Holds(*request.headers, "User-Agent:") ? AgentOf(*request.headers) : kDefaultAgent;
  if (!request.proxy.empty()) {
    plan.accessType = kOpenTypeProxy;
    plan.proxyList = plan.secure ? request.proxy : "http=" + request.proxy;
    plan.proxyBypass = Text();
  }
  plan.host = GetUrlHost(request.url);
  plan.port = GetUrlPort(request.url);
  plan.path = GetUrlPath(request.url);
  plan.flags = kFlagReload | kFlagNeedFile;
  if (request.cookies) plan.flags |= kFlagNoCookies;
  if (request.noRedirect) plan.flags |= kFlagNoAutoRedirect;
  plan.flags |= plan.secure ? kFlagSecure : kFlagIgnoreRedirectToHttps;
  plan.headers = HeaderBlock(request, method);
  if (method != 0) {
    const bool given = request.postBytes && !request.postBytes->empty();
    plan.body = given ? *request.postBytes : TextToBytes(request.postText);
    plan.writesPostBytes = !given && request.postBytes != nullptr;
  }
  return plan;
}

void FinishRequest(const PageRequest& request, const RequestPlan& plan, const Text& rawHeaders) {
  // In the order the values arise, so that a variable passed twice ends with the later one.
  if (request.headers) *request.headers = plan.headers;
  if (plan.writesPostBytes) *request.postBytes = plan.body;
  if (request.returnedHeaders) *request.returnedHeaders = rawHeaders;
  Text harvested = HarvestCookies(rawHeaders);
  if (request.returnedCookies) *request.returnedCookies = harvested;
  if (request.mergeCookies && request.cookies) {
    Text& received = request.returnedCookies ? *request.returnedCookies : harvested;
    received = MergeCookies(*request.cookies, received);
  }
}

Text HarvestCookies(const Text& rawHeaders) {
  Text cookies;
  for (const Text& line : SplitText(rawHeaders, "\r\n")) {
    if (TextBefore(line, ": ") != "Set-Cookie") continue;
    const Text value = FindText(line, ";") != -1 ? TextBetween(line, "Set-Cookie:", ";")
                                                 : ReplaceText(line, "Set-Cookie:", "", 1, -1, false);
    cookies += TrimSpaces(value) + "; ";
  }
  return LeftText(cookies, TextLength(cookies) - 2);
}

Text ValueAfterColon(const Text& text) {
  const int colon = FindText(text, ":");
  return colon == -1 ? Text() : TrimSpaces(RightText(text, TextLength(text) - colon));
}
