#include "http/cookies.h"

Text MergeCookies(Text& cookies, Text& newCookies) {
  cookies = RemoveSpaces(cookies);
  newCookies = RemoveSpaces(newCookies);
  const TextList old = SplitText(cookies, ";");
  TextList list = SplitText(newCookies, ";");
  for (const Text& item : old) {
    if (!HasCookieNamed(list, CookieName(item))) list.push_back(item);
  }
  Text merged;
  for (const Text& item : list) {
    if (RightText(item, 8) != "=deleted") merged += item + "; ";
  }
  merged = RemoveDuplicates(LeftText(merged, TextLength(merged) - 2), "; ", true);
  cookies = merged;
  return merged;
}

Text CookieName(const Text& item) {
  const int c = FindText(item, "=");
  return TrimSpaces(c == -1 ? item : LeftText(item, c - 1));
}

bool HasCookieNamed(const TextList& list, const Text& name) {
  for (const Text& item : list) {
    if (CookieName(item) == name) return true;
  }
  return false;
}

Text RemoveDuplicates(const Text& text, const Text& separator, bool bySeparator) {
  const TextList pieces = bySeparator ? SplitText(text, separator) : SplitChars(text);
  TextList seen;
  Text result;
  for (const Text& piece : pieces) {
    if (FindInList(seen, piece) != -1) continue;
    seen.push_back(piece);
    result += piece + separator;
  }
  return LeftText(result, TextLength(result) - TextLength(separator));
}

namespace {

// The splitter's own rule: a byte above 0x80 (0x80 itself stands alone) takes
// the byte after it, as does CR before LF.
bool StartsSplitPair(const Bytes& bytes, size_t d) {
  return d + 1 < bytes.size() && (bytes[d] > 0x80 || (bytes[d] == '\r' && bytes[d + 1] == '\n'));
}

}  // namespace

TextList SplitChars(const Text& text) {
  const Bytes bytes = TextToBytes(text);
  const size_t n = bytes.size();
  TextList units;
  for (size_t d = 0; d < n;) {
    size_t length = StartsSplitPair(bytes, d) ? 2 : 1;
    units.push_back(text.substr(d, length));
    d += length;
  }
  return units;
}

int FindInList(const TextList& list, const Text& text) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == text) return static_cast<int>(i) + 1;
  }
  return -1;
}
