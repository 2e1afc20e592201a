// URL decomposition over plain text, built on the runtime's text finders.
#include "http/url.h"

namespace {

const char kQuoteMarker[] = "#引号";

// Unless keepPort, a host holding ":" is cut before its first ":".
Text DropPort(const Text& host, bool keepPort) {
  if (keepPort || FindText(host, ":") == -1) return host;
  return TextBefore(host, ":");
}

Text HostOfDomain(const Text& url, bool rootDomain, bool keepPort, int levels) {
  Text u = ReplaceText(ReplaceText(ToLowerAscii(url), "http://"), "https://");
  if (FindText(u, "/") != -1) u = TextBefore(u, "/");
  const int length = TextLength(u);
  int p = length;
  for (int i = 0; i < levels && p != -1; ++i) p = FindLastText(u, ".", p);
  const int q = p == -1 ? -1 : FindLastText(u, ".", p);
  if (rootDomain) {
    u = RightText(u, length - q);
  } else if (q != -1) {
    const int r = FindLastText(u, ".", q);
    if (r != -1) u = RightText(u, length - r);
  }
  return DropPort(u, keepPort);
}

}  // namespace

Text TextBetween(const Text& text, const Text& leftMarker, const Text& rightMarker, int start, bool ignoreCase) {
  const Text left = ReplaceText(leftMarker, kQuoteMarker, "\"");
  const Text right = ReplaceText(rightMarker, kQuoteMarker, "\"");
  int a = FindText(text, left, start, ignoreCase);
  if (a == -1) return Text();
  a += TextLength(left);
  const int b = FindText(text, right, a, ignoreCase);
  if (b == -1) return Text();
  return MidText(text, a, b - a);
}

Text TextBefore(const Text& text, const Text& marker, int start, bool ignoreCase) {
  const int c = FindText(text, marker, start > 0 ? start : 1, ignoreCase);
  return c == -1 ? Text() : LeftText(text, c - 1);
}

Text GetUrlHost(const Text& url, bool rootDomain, bool keepPort, std::optional<int> levels) {
  if (levels) return HostOfDomain(url, rootDomain, keepPort, *levels);
  Text u = ToLowerAscii(url);
  if (u.empty() || u.back() != '/') u += '/';
  Text host;
  if (LeftText(u, 8) == "https://") {
    host = TextBetween(u, "https://", "/");
  } else {
    if (FindText(u, "http://") == -1) u = "http://" + u;
    host = TextBetween(u, "http://", "/");
  }
  if (rootDomain) {
    const TextList labels = SplitText(host, ".");
    if (labels.size() >= 2) host = ConcatText({labels[labels.size() - 2], ".", labels.back()});
  }
  return DropPort(host, keepPort);
}

int GetUrlPort(const Text& url) {
  const Text host = GetUrlHost(url, false, true);
  const int c = FindLastText(host, ":");
  if (c != -1) return TextToInt(RightText(host, TextLength(host) - c));
  return LeftText(ToLowerAscii(url), 5) == "https" ? 443 : 80;
}

Text GetUrlPath(const Text& url) {
  const Text host = GetUrlHost(url);
  const int a = FindText(url, host, 1, true);
  const int b = FindText(url, "/", a, true);
  if (b <= 0) return "/";
  return RightText(url, TextLength(url) - b + 1);
}
