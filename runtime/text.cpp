// Text services over ANSI (GBK) byte strings: cutting, finding, replacing,
// splitting, spaces, letter case and numbers.
#include "runtime/text.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

const size_t kNone = Text::npos;

// The scanning rule of every text operation: any byte of 0x80 or more starts a
// two-byte character, whatever the code page. (The cookie splitter and the
// command check each have a rule of their own; see SplitChars and
// HasForbiddenCommandChar.)
bool IsScanLeadByte(unsigned char c) { return c >= 0x80; }

const unsigned char* Raw(std::string_view t) { return reinterpret_cast<const unsigned char*>(t.data()); }

// Length of the run of bytes >= 0x80 that ends just before pos, not looking
// before known (a position known to start a character).
size_t HighRunBefore(const unsigned char* d, size_t known, size_t pos) {
  const unsigned long long kHigh = 0x8080808080808080ULL;
  size_t run = 0;
  while (pos - run >= known + 8) {
    unsigned long long word;
    std::memcpy(&word, d + pos - run - 8, 8);
    if ((word & kHigh) != kHigh) break;
    run += 8;
  }
  while (pos - run > known && IsScanLeadByte(d[pos - run - 1])) ++run;
  return run;
}

// First occurrence of sought in t at or after from that starts a character,
// counting characters from from. Returns a 0-based index or kNone.
size_t FindAtBoundary(std::string_view t, std::string_view sought, size_t from) {
  const unsigned char* d = Raw(t);
  size_t known = from;  // a byte after a byte < 0x80 always starts a character
  size_t next = from;
  for (;;) {
    const size_t hit = SearchBytes(d, t.size(), Raw(sought), sought.size(), next);
    if (hit == kNone) return kNone;
    // A run of bytes >= 0x80 from a character start pairs up: odd length means
    // the hit is the second byte of a character.
    if (HighRunBefore(d, known, hit) % 2 == 0) return hit;
    known = hit - 1;
    next = hit + 1;
  }
}

size_t NextCharStart(std::string_view t, size_t i) {
  return i + (IsScanLeadByte(static_cast<unsigned char>(t[i])) ? 2 : 1);
}

char LowerByte(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperByte(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

template <typename Convert>
Text ConvertLetters(std::string_view t, Convert convert) {
  Text out(t);
  for (size_t i = 0; i < out.size(); i = NextCharStart(out, i)) out[i] = convert(out[i]);
  return out;
}

size_t StartIndex(int start) { return start <= 1 ? 0 : static_cast<size_t>(start) - 1; }

}  // namespace

Text MakeText(std::string_view raw) { return Text(raw.substr(0, raw.find('\0'))); }

Text ConcatText(std::initializer_list<std::string_view> parts) {
  size_t size = 0;
  for (std::string_view p : parts) size += p.size();
  Text joined;
  joined.reserve(size);
  for (std::string_view p : parts) joined.append(p);
  return joined;
}

int CompareText(std::string_view a, std::string_view b) {
  const int order = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
  if (order != 0) return order < 0 ? -1 : 1;
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int TextLength(std::string_view t) { return static_cast<int>(t.size()); }

Text LeftText(std::string_view t, int n) { return n <= 0 ? Text() : Text(t.substr(0, static_cast<size_t>(n))); }

Text RightText(std::string_view t, int n) {
  if (n <= 0) return Text();
  const size_t count = std::min(t.size(), static_cast<size_t>(n));
  return Text(t.substr(t.size() - count));
}

Text MidText(std::string_view t, int start, int n) {
  if (start <= 0 || static_cast<size_t>(start) > t.size() || n <= 0) return Text();
  return Text(t.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(n)));
}

int FindText(std::string_view t, std::string_view sought, int start, bool ignoreCase) {
  const size_t from = StartIndex(start);
  if (from >= t.size()) return -1;
  if (sought.empty()) return 1;
  if (!ignoreCase) {
    const size_t hit = FindAtBoundary(t, sought, from);
    return hit == kNone ? -1 : static_cast<int>(hit) + 1;
  }
  // Fold from the start on, which begins a character, so trail bytes stay as they are.
  const Text folded = ToLowerAscii(t.substr(from));
  const size_t hit = FindAtBoundary(folded, ToLowerAscii(sought), 0);
  return hit == kNone ? -1 : static_cast<int>(from + hit) + 1;
}

int FindLastText(std::string_view t, std::string_view sought, std::optional<int> start, bool ignoreCase) {
  size_t limit = t.size();  // the occurrence must end within the first limit bytes
  if (start) {
    if (*start < 2) return -1;
    limit = std::min(limit, static_cast<size_t>(*start) - 1);
  }
  if (limit == 0) return -1;
  if (sought.empty()) return 1;
  Text folded;
  std::string_view area = t.substr(0, limit);
  if (ignoreCase) {
    folded = ToLowerAscii(t);  // characters count from byte 1
    area = std::string_view(folded).substr(0, limit);
  }
  const Text soughtFolded = ignoreCase ? ToLowerAscii(sought) : Text(sought);
  size_t last = kNone;
  for (size_t from = 0; from < area.size();) {
    const size_t hit = FindAtBoundary(area, soughtFolded, from);
    if (hit == kNone) break;
    last = hit;
    from = NextCharStart(area, hit);
  }
  return last == kNone ? -1 : static_cast<int>(last) + 1;
}

Text ReplaceText(std::string_view t, std::string_view old, std::string_view replacement, int start, int count,
                 bool caseSensitive) {
  const size_t from = StartIndex(start);
  if (old.empty() || count == 0 || from >= t.size()) return Text(t);
  Text folded;
  Text oldFolded;
  std::string_view area = t.substr(from);  // the scan counts characters from the start
  std::string_view seek = old;
  if (!caseSensitive) {
    folded = ToLowerAscii(area);
    oldFolded = ToLowerAscii(old);
    area = folded;
    seek = oldFolded;
  }
  Text out(t.substr(0, from));
  out.reserve(t.size());
  size_t done = 0;  // bytes of area already copied or replaced
  while (count != 0) {
    const size_t hit = FindAtBoundary(area, seek, done);
    if (hit == kNone) break;
    out.append(t.substr(from + done, hit - done));
    out.append(replacement);
    done = hit + old.size();
    if (count > 0) --count;
  }
  out.append(t.substr(from + done));
  return out;
}

TextList SplitText(std::string_view t, std::string_view separator) {
  TextList pieces;
  if (t.empty()) return pieces;
  if (separator.empty()) {
    pieces.emplace_back(t);
    return pieces;
  }
  size_t from = 0;
  for (;;) {
    const size_t hit = FindAtBoundary(t, separator, from);
    if (hit == kNone) break;
    pieces.emplace_back(t.substr(from, hit - from));
    from = hit + separator.size();
  }
  if (from < t.size()) pieces.emplace_back(t.substr(from));
  return pieces;
}

bool IsSpaceAt(std::string_view t, size_t i) {
  if (i >= t.size()) return false;
  if (t[i] == ' ') return true;
  return t[i] == '\xA1' && i + 1 < t.size() && t[i + 1] == '\xA1';
}

Text TrimSpaces(std::string_view t) {
  size_t first = 0;
  while (first < t.size() && IsSpaceAt(t, first)) first = NextCharStart(t, first);
  size_t end = first;  // end of the last character that is not a space
  for (size_t i = first; i < t.size();) {
    const bool space = IsSpaceAt(t, i);
    i = NextCharStart(t, i);
    if (!space) end = std::min(i, t.size());
  }
  return Text(t.substr(first, end - first));
}

Text RemoveSpaces(std::string_view t) {
  Text out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size();) {
    const size_t next = std::min(NextCharStart(t, i), t.size());
    if (!IsSpaceAt(t, i)) out.append(t.substr(i, next - i));
    i = next;
  }
  return out;
}

Text ToUpperAscii(std::string_view t) { return ConvertLetters(t, UpperByte); }
Text ToLowerAscii(std::string_view t) { return ConvertLetters(t, LowerByte); }

int TextToInt(std::string_view t) {
  // Full-width ASCII (A3 A1..A3 FE, and the full-width space A1 A1) reads as ASCII.
  Text plain;
  plain.reserve(t.size());
  for (size_t i = 0; i < t.size();) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    const unsigned char next = i + 1 < t.size() ? static_cast<unsigned char>(t[i + 1]) : 0;
    if (!IsScanLeadByte(c) || i + 1 >= t.size()) {
      plain.push_back(t[i]);
      ++i;
      continue;
    }
    if (c == 0xA3 && next >= 0xA1 && next <= 0xFE)
      plain.push_back(static_cast<char>(next - 0x80));
    else if (c == 0xA1 && next == 0xA1)
      plain.push_back(' ');
    else
      plain.append(t.substr(i, 2));
    i += 2;
  }
  size_t i = 0;
  while (i < plain.size() && (plain[i] == ' ' || plain[i] == '\t')) ++i;
  bool negative = false;
  if (i < plain.size() && (plain[i] == '+' || plain[i] == '-')) negative = plain[i++] == '-';
  long long value = 0;
  for (; i < plain.size() && plain[i] >= '0' && plain[i] <= '9'; ++i) {
    value = value * 10 + (plain[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;  // clamped below
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

Text CharText(int code) {
  const char c = static_cast<char>(code & 0xFF);
  return c == 0 ? Text() : Text(1, c);
}

int CharCode(std::string_view t) { return t.empty() ? 0 : static_cast<signed char>(t[0]); }

Text BlankText(int n) { return Text(n > 0 ? static_cast<size_t>(n) : 0, ' '); }
