// Text services: tables of cases per family, and a comparison of the fast finders
// with a plain character-by-character scan on random GBK-like texts.
#include "runtime/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace {

// "\x81" "A" is one two-byte character whose second byte is the letter A;
// "\x81|" one whose second byte is '|'.
const char kLeadA[] =
    "\x81"
    "A";

struct FindCase {
  Text text;
  Text sought;
  int start;
  bool ignoreCase;
  int expected;
};

TEST(FindText, Cases) {
  const FindCase cases[] = {
      {"abcabc", "bc", 1, false, 2},
      {"abcabc", "bc", 3, false, 5},
      {"abcabc", "bc", 0, false, 2},
      {"abcabc", "bc", -5, false, 2},
      {"abc", "c", 3, false, 3},
      {"abc", "c", 4, false, -1},
      {"abc", "d", 1, false, -1},
      {"abc", "abcd", 1, false, -1},
      {"abc", "", 1, false, 1},
      {"abc", "", 3, false, 1},
      {"abc", "", 4, false, -1},
      {"", "", 1, false, -1},
      {"", "a", 1, false, -1},
      {"Hello WORLD", "world", 1, true, 7},
      {"Hello WORLD", "world", 1, false, -1},
      {"x@y", "`", 1, true, -1},
      {"\x81|x|", "|", 1, false, 4},
      {"\x81|", "|", 2, false, 2},  // the start counts as a character start
      {"\x81"
       "Aa",
       "A", 1, false, -1},
      {"\x81"
       "Aa",
       "a", 1, true, 3},
      {kLeadA, "a", 1, true, -1},
      {kLeadA, "a", 2, true, 2},
      {"\xB0\xA1\xB0\xA1", "\xA1\xB0", 1, false, -1},
      {"\xB0\xA1\xB0\xA1", "\xA1\xB0", 2, false, 2},
      {"\xB0|\xB0|a|", "|", 1, false, 6},
      {"网址检测", "检测", 1, false, 5},
      {Text(20, '\xB0') + "|", "|", 1, false, 21},
      {Text(21, '\xB0') + "|", "|", 1, false, -1},
      {"a" + Text(19, '\xB0') + "|", "|", 1, false, -1},
      {"a" + Text(18, '\xB0') + "|", "|", 1, false, 20},
      {Text(17, '\xB0') + "|" + Text(16, '\xB0') + "|", "|", 1, false, 35},
  };
  for (const FindCase& c : cases)
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.ignoreCase), c.expected)
        << '"' << c.text << "\" / \"" << c.sought << "\" from " << c.start;
}

struct FindLastCase {
  Text text;
  Text sought;
  std::optional<int> start;
  bool ignoreCase;
  int expected;
};

TEST(FindLastText, Cases) {
  const FindLastCase cases[] = {
      {"a.b.c", ".", std::nullopt, false, 4},
      {"a.b.c", ".", 5, false, 4},
      {"a.b.c", ".", 4, false, 2},
      {"a.b.c", ".", 3, false, 2},
      {"a.b.c", ".", 2, false, -1},
      {"a.b.c", ".", 1, false, -1},
      {"a.b.c", ".", -1, false, -1},
      {"a.b.c", ".", 100, false, 4},
      {"abcabc", "bc", 6, false, 2},  // must end within the first start - 1 bytes
      {"abcabc", "bc", 7, false, 5},
      {"aaa", "aa", std::nullopt, false, 2},
      {"abc", "", std::nullopt, false, 1},
      {"abc", "", 2, false, 1},
      {"abc", "", 1, false, -1},
      {"", "", std::nullopt, false, -1},
      {"x|\x81|", "|", std::nullopt, false, 2},
      {"a\x81"
       "A",
       "A", std::nullopt, false, -1},
      {"a\x81"
       "A",
       "a", std::nullopt, true, 1},
      {"A.B", "b", std::nullopt, true, 3},
      {"a\xB0\r\n", "\r\n", std::nullopt, false, -1},  // CR is the second byte of a character
      // The domain walk of the host routine: each step looks below the last dot.
      {"www.example.com", ".", 15, false, 12},
      {"www.example.com", ".", 12, false, 4},
      {"www.example.com", ".", 4, false, -1},
      {"www.example.com.", ".", 16, false, 12},
  };
  for (const FindLastCase& c : cases)
    EXPECT_EQ(FindLastText(c.text, c.sought, c.start, c.ignoreCase), c.expected)
        << '"' << c.text << "\" / \"" << c.sought << "\" below " << c.start.value_or(0);
}

struct ReplaceCase {
  Text text;
  Text old;
  Text replacement;
  int start;
  int count;
  bool caseSensitive;
  Text expected;
};

TEST(ReplaceText, Cases) {
  const ReplaceCase cases[] = {
      {"a,b,c", ",", ";", 1, -1, true, "a;b;c"},
      {"a,b,c", ",", ";", 1, 1, true, "a;b,c"},
      {"a,b,c", ",", ";", 1, 2, true, "a;b;c"},
      {"a,b,c", ",", ";", 1, 9, true, "a;b;c"},
      {"a,b,c", ",", ";", 1, -7, true, "a;b;c"},
      {"a,b,c", ",", ";", 1, 0, true, "a,b,c"},
      {"a,b,c", ",", ";", 3, -1, true, "a,b;c"},
      {"a,b,c", ",", ";", 2, 1, true, "a;b,c"},
      {"a,b,c", ",", ";", -3, 1, true, "a;b,c"},
      {"a,b,c", ",", ";", 6, -1, true, "a,b,c"},
      {"a,b,c", "", ";", 1, -1, true, "a,b,c"},
      {"", ",", ";", 1, -1, true, ""},
      {"aaa", "aa", "a", 1, -1, true, "aa"},   // no overlap
      {"xx", "x", "xx", 1, -1, true, "xxxx"},  // no rescan
      {"AbcABC", "abc", "x", 1, -1, false, "xx"},
      {"abcABC", "abc", "x", 1, -1, true, "xABC"},
      {"\x81|a|", "|", "", 1, -1, true, "\x81|a"},
      {"\x81"
       "Aa",
       "a", "", 1, -1, false, kLeadA},
      {"\x81|", "|", "", 2, -1, true, "\x81"},
      {"确定确定", "确定", "好", 1, 1, true, "好确定"},
  };
  for (const ReplaceCase& c : cases)
    EXPECT_EQ(ReplaceText(c.text, c.old, c.replacement, c.start, c.count, c.caseSensitive), c.expected)
        << '"' << c.text << "\" from " << c.start << " count " << c.count;
  EXPECT_EQ(ReplaceText("a-b-c", "-"), "abc");
}

// The error text of a failed settings command: the CR LF scan starts two bytes
// before the last CR LF and removes one pair.
Text ErrorTextOf(const Text& output) {
  const int p = FindLastText(output, "\r\n");
  return ReplaceText(output, "\r\n", "", p - 2, 1, true);
}

TEST(ReplaceText, ErrorTextArithmetic) {
  const struct {
    Text output;
    Text expected;
  } cases[] = {
      {"failed\r\n", "failed"},
      {"failed\r\n\r\n", "failed\r\n"},
      {"line one\r\nline two", "line oneline two"},
      {"no break", "no break"},
      {"", ""},
      {"\r\n", ""},
      {"\r\n\r\n", "\r\n"},
      {"a\r\nb\r\n", "a\r\nb"},
      {"文件名不正确。\r\n\r\n", "文件名不正确。\r\n"},
      {"\x81"
       "A\r\n",
       kLeadA},
      {"a\xB0\r\n", "a\xB0\r\n"},  // a lone lead byte takes the CR with it
      {"\xB0\r\n", "\xB0\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorTextOf(c.output), c.expected) << '"' << c.output << '"';
}

TEST(SplitText, Cases) {
  const struct {
    Text text;
    Text separator;
    TextList expected;
  } cases[] = {
      {"a,b,c", ",", {"a", "b", "c"}},
      {"a,,b", ",", {"a", "", "b"}},
      {"a,b,", ",", {"a", "b"}},
      {",a", ",", {"", "a"}},
      {",", ",", {""}},
      {",,", ",", {"", ""}},
      {"", ",", {}},
      {"abc", ",", {"abc"}},
      {"a=1; b=2", "; ", {"a=1", "b=2"}},
      {"a::::b", "::", {"a", "", "b"}},
      {"\x81,x,y", ",", {"\x81,x", "y"}},
      {"甲;乙", ";", {"甲", "乙"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitText(c.text, c.separator), c.expected) << '"' << c.text << '"';
  EXPECT_EQ(SplitText("x,y"), (TextList{"x", "y"}));
}

TEST(Spaces, TrimAndRemove) {
  const struct {
    Text text;
    Text trimmed;
    Text removed;
  } cases[] = {
      {"  a b  ", "a b", "ab"},
      {"\xA1\xA1"
       "a\xA1\xA1"
       "b\xA1\xA1",
       "a\xA1\xA1"
       "b",
       "ab"},
      {" \xA1\xA1 ", "", ""},
      {"", "", ""},
      {"\ta\r\n", "\ta\r\n", "\ta\r\n"},
      {"\xB0\xA1\xA1\xA1", "\xB0\xA1", "\xB0\xA1"},  // A1 A1 after a whole character
      {"\xB0\xA1\xA1"
       "x",
       "\xB0\xA1\xA1"
       "x",
       "\xB0\xA1\xA1"
       "x"},                        // A1 A1 across characters
      {"\x81 ", "\x81 ", "\x81 "},  // a space as second byte is no space
      {"a \xA1", "a \xA1", "a\xA1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TrimSpaces(c.text), c.trimmed) << '"' << c.text << '"';
    EXPECT_EQ(RemoveSpaces(c.text), c.removed) << '"' << c.text << '"';
  }
  EXPECT_TRUE(IsSpaceAt("a b", 1));
  EXPECT_TRUE(IsSpaceAt("a\xA1\xA1", 1));
  EXPECT_FALSE(IsSpaceAt("a\xA1", 1));
  EXPECT_FALSE(IsSpaceAt("a\t", 1));
  EXPECT_FALSE(IsSpaceAt("ab", 5));
}

TEST(LetterCase, Cases) {
  const struct {
    Text text;
    Text upper;
    Text lower;
  } cases[] = {
      {"Hello, World 1!", "HELLO, WORLD 1!", "hello, world 1!"},
      {"\x81"
       "ab",
       "\x81"
       "aB",
       "\x81"
       "ab"},
      {"\x81"
       "AB",
       "\x81"
       "AB",
       "\x81"
       "Ab"},
      {"网址abc", "网址ABC", "网址abc"},
      {"\xA3\xC1\xA3\xE1", "\xA3\xC1\xA3\xE1", "\xA3\xC1\xA3\xE1"},  // full-width letters stay
      {"[`{@]", "[`{@]", "[`{@]"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToUpperAscii(c.text), c.upper) << '"' << c.text << '"';
    EXPECT_EQ(ToLowerAscii(c.text), c.lower) << '"' << c.text << '"';
  }
}

TEST(TextToInt, Cases) {
  const struct {
    Text text;
    int expected;
  } cases[] = {
      {"123", 123},
      {"  -45x", -45},
      {"\t+7", 7},
      {"12 3", 12},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"+-1", 0},
      {"\n5", 0},
      {" 0x10", 0},
      {"8443/path", 8443},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"-2147483648", INT_MIN},
      {"-2147483649", INT_MIN},
      {"99999999999999999999999", INT_MAX},
      {"１２３", 123},
      {"\xA3\xAD\xA3\xB5", -5},  // full-width minus and five
      {"\xA1\xA1"
       "42",
       42},  // full-width space
      {"\xA3\xB3"
       "a",
       3},
      {"\xB0\xA1"
       "1",
       0},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToInt(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Cutting, CountsPlainBytes) {
  EXPECT_EQ(LeftText("abc", 2), "ab");
  EXPECT_EQ(LeftText("abc", 5), "abc");
  EXPECT_EQ(LeftText("abc", 0), "");
  EXPECT_EQ(LeftText("abc", -1), "");
  EXPECT_EQ(LeftText("\xCD\xF8", 1), "\xCD");
  EXPECT_EQ(RightText("abc", 2), "bc");
  EXPECT_EQ(RightText("abc", 5), "abc");
  EXPECT_EQ(RightText("abc", -2), "");
  EXPECT_EQ(RightText("\xCD\xF8", 1), "\xF8");
  EXPECT_EQ(MidText("abcdef", 2, 3), "bcd");
  EXPECT_EQ(MidText("abcdef", 6, 5), "f");
  EXPECT_EQ(MidText("abcdef", 0, 2), "");
  EXPECT_EQ(MidText("abcdef", 7, 1), "");
  EXPECT_EQ(MidText("abcdef", 1, 0), "");
}

TEST(BasicText, MakeConcatCompareChars) {
  EXPECT_EQ(MakeText(std::string_view("ab\0cd", 5)), "ab");
  EXPECT_EQ(MakeText(std::string_view("\0x", 2)), "");
  EXPECT_EQ(ConcatText({"netsh ", "", "a", " 1"}), "netsh a 1");
  EXPECT_EQ(TextLength("网址"), 4);
  EXPECT_EQ(CompareText("a", "a"), 0);
  EXPECT_LT(CompareText("a", "b"), 0);
  EXPECT_GT(CompareText("b", "a"), 0);
  EXPECT_GT(CompareText("\x80", "a"), 0);  // bytes compare unsigned
  EXPECT_LT(CompareText("ab", "abc"), 0);
  EXPECT_EQ(CharText(65), "A");
  EXPECT_EQ(CharText(0), "");
  EXPECT_EQ(CharText(0xB0), "\xB0");
  EXPECT_EQ(CharCode("A"), 65);
  EXPECT_EQ(CharCode("\xB0x"), -80);
  EXPECT_EQ(CharCode(""), 0);
  EXPECT_EQ(BlankText(3), "   ");
  EXPECT_EQ(BlankText(0), "");
  EXPECT_EQ(BlankText(-2), "");
  EXPECT_EQ(BitOr({1, 2, 0x20}), 0x23);
}

// Plain scans that step one character at a time, as the rules state them.
int SlowFind(const Text& t, const Text& s, size_t from) {
  for (size_t i = from; i + s.size() <= t.size(); i += static_cast<unsigned char>(t[i]) >= 0x80 ? 2 : 1)
    if (t.compare(i, s.size(), s) == 0) return static_cast<int>(i) + 1;
  return -1;
}

int SlowFindLast(const Text& t, const Text& s) {
  int last = -1;
  for (size_t i = 0; i + s.size() <= t.size(); i += static_cast<unsigned char>(t[i]) >= 0x80 ? 2 : 1)
    if (t.compare(i, s.size(), s) == 0) last = static_cast<int>(i) + 1;
  return last;
}

Text SlowReplaceAll(const Text& t, const Text& s, const Text& by) {
  Text out;
  for (size_t i = 0; i < t.size();) {
    if (t.compare(i, s.size(), s) == 0) {
      out += by;
      i += s.size();
    } else {
      const size_t n = std::min<size_t>(static_cast<unsigned char>(t[i]) >= 0x80 ? 2 : 1, t.size() - i);
      out.append(t, i, n);
      i += n;
    }
  }
  return out;
}

Text RandomText(std::mt19937& rng, size_t size) {
  static const char kAlphabet[] = "ab|\xB0\xA1\x81";
  Text t;
  for (size_t i = 0; i < size; ++i) t += kAlphabet[rng() % (sizeof kAlphabet - 1)];
  return t;
}

TEST(FindText, AgreesWithCharacterScan) {
  std::mt19937 rng(12345);
  for (int round = 0; round < 3000; ++round) {
    const Text t = RandomText(rng, rng() % 80);
    const Text s = RandomText(rng, 1 + rng() % 3);
    const int start = static_cast<int>(rng() % (t.size() + 2));
    const size_t from = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
    ASSERT_EQ(FindText(t, s, start), SlowFind(t, s, from)) << '"' << t << "\" / \"" << s << "\" " << start;
    ASSERT_EQ(FindLastText(t, s), SlowFindLast(t, s)) << '"' << t << "\" / \"" << s << '"';
    ASSERT_EQ(ReplaceText(t, s, "#"), SlowReplaceAll(t, s, "#")) << '"' << t << "\" / \"" << s << '"';
  }
}

TEST(FindText, LongRunsOfHighBytes) {
  // Many candidates in a long text of two-byte characters whose second byte matches.
  Text t;
  for (int i = 0; i < 5000; ++i) t += "\xB0\xA1\x81\xA1";
  EXPECT_EQ(FindText(t, "\xA1"), -1);
  EXPECT_EQ(FindText(t, "\xA1\x81"), -1);
  t += "\xA1";
  EXPECT_EQ(FindText(t, "\xA1"), static_cast<int>(t.size()));
  EXPECT_EQ(ReplaceText(t, "\xA1", "", 1, -1, true), t.substr(0, t.size() - 1));
}

}  // namespace
