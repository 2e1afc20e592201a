// Byte buffer services and the plain byte search.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "runtime/text.h"

namespace {

Bytes B(std::string_view s) { return Bytes(s.begin(), s.end()); }

TEST(Bytes, CutJoinCompare) {
  EXPECT_EQ(BlankBytes(3), Bytes(3, 0));
  EXPECT_TRUE(BlankBytes(0).empty());
  EXPECT_TRUE(BlankBytes(-1).empty());
  EXPECT_EQ(BytesLength(B(std::string_view("a\0b", 3))), 3);
  EXPECT_EQ(TextToBytes("ab"), B("ab"));  // no terminator
  EXPECT_EQ(BytesToText(B(std::string_view("ab\0cd", 5))), "ab");
  EXPECT_EQ(BytesToText({}), "");
  EXPECT_EQ(ConcatBytes(B("ab"), B(std::string_view("\0c", 2))), B(std::string_view("ab\0c", 4)));
  EXPECT_TRUE(CompareBytes(B("abc"), B("abc")));
  EXPECT_FALSE(CompareBytes(B("abc"), B("abd")));
  EXPECT_FALSE(CompareBytes(B("abc"), B("ab")));
  EXPECT_TRUE(CompareBytes({}, {}));

  const struct {
    int n;
    Bytes expected;
  } lefts[] = {{2, B("ab")}, {9, B("abc")}, {0, {}}, {-1, {}}};
  for (const auto& c : lefts) EXPECT_EQ(LeftBytes(B("abc"), c.n), c.expected) << c.n;

  const struct {
    int start;
    int n;
    Bytes expected;
  } mids[] = {{2, 2, B("bc")}, {0, 2, B("ab")}, {-4, 1, B("a")}, {3, 9, B("cd")}, {5, 1, {}}, {1, 0, {}}, {2, -1, {}}};
  for (const auto& c : mids) EXPECT_EQ(MidBytes(B("abcd"), c.start, c.n), c.expected) << c.start << "," << c.n;
}

TEST(FindBytes, Cases) {
  const Bytes data = B(std::string_view("ab\0ab\xB0|", 7));
  const struct {
    Bytes sought;
    int start;
    int expected;
  } cases[] = {
      {B("ab"), 1, 1}, {B("ab"), 2, 4},   {B("ab"), 0, 1},   {B("ab"), 5, -1}, {B(std::string_view("b\0a", 3)), 1, 2},
      {B("|"), 1, 7},  // no characters in bytes: the byte after 0xB0 counts
      {{}, 1, -1},     {B("abc"), 1, -1}, {B("ab"), 99, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(FindBytes(data, c.sought, c.start), c.expected) << c.start;
  EXPECT_EQ(FindBytes({}, B("a")), -1);
}

TEST(FindBytes, AgreesWithStdSearch) {
  // Small alphabets make the rare-byte guess fail often, which also drives the
  // search into its skipping fallback.
  std::mt19937 rng(777);
  for (int round = 0; round < 2000; ++round) {
    const size_t alphabet = 2 + rng() % 3;
    Bytes data(rng() % 2000);
    for (auto& b : data) b = static_cast<unsigned char>('e' + rng() % alphabet);
    Bytes sought(1 + rng() % 12);
    for (auto& b : sought) b = static_cast<unsigned char>('e' + rng() % alphabet);
    const int start = 1 + static_cast<int>(rng() % (data.size() + 1));
    const auto hit = std::search(data.begin() + (start - 1), data.end(), sought.begin(), sought.end());
    const int expected = hit == data.end() ? -1 : static_cast<int>(hit - data.begin()) + 1;
    ASSERT_EQ(FindBytes(data, sought, start), expected) << "round " << round;
  }
}

TEST(FindBytes, SoughtAtTheVeryEnd) {
  // The search tests blocks of 16 and 32 starts: lengths and sizes around those
  // widths, with a near miss at every start, and no byte read past the buffer.
  for (size_t length : {1, 2, 3, 15, 16, 17, 31, 32, 33}) {
    const Bytes sought = ConcatBytes(Bytes(length - 1, 'a'), B("<"));
    for (size_t size = length; size <= length + 70; ++size) {
      Bytes data(size, 'a');
      const int last = static_cast<int>(size - length) + 1;
      EXPECT_EQ(FindBytes(data, sought), -1) << length << "/" << size;
      data.back() = '<';
      EXPECT_EQ(FindBytes(data, sought), last) << length << "/" << size;
      EXPECT_EQ(FindBytes(data, sought, last), last) << length << "/" << size;
      EXPECT_EQ(FindBytes(data, sought, last + 1), -1) << length << "/" << size;
    }
  }
}

}  // namespace
