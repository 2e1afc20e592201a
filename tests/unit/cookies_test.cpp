// Merging received cookies into stored ones, and the small list routines under it.
#include "http/cookies.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace {

TEST(MergeCookies, NewFirstThenStoredWithoutDeletedOrRepeats) {
  struct Case {
    const char* what;
    const char* stored;
    const char* set;
    const char* merged;
  };
  const Case cases[] = {
      {"new value replaces stored", "a=1; b=2", "b=3", "b=3; a=1"},
      {"deleted replaces and is dropped", "a=1", "a=deleted", ""},
      {"stored deleted is dropped", "x=deleted", "", ""},
      {"repeat removed", "", "a=1; a=1", "a=1"},
      {"same name, other value kept", "", "a=1; a=2", "a=1; a=2"},
      {"spaces removed", "a = 1", "", "a=1"},
      {"spaces inside values removed", "a=x y　z", "", "a=xyz"},  // full-width space too
      {"names compare with case", "A=1", "a=2", "a=2; A=1"},
      {"both empty", "", "", ""},
      {"trailing separator", "a=1;", "", "a=1"},
      {"first of two stored with one name", "a=1; a=2", "b=1", "b=1; a=1"},
      {"item without =", "flag; a=1", "a=2", "a=2; flag"},
  };
  for (const Case& c : cases) {
    Text cookies = c.stored;
    Text newCookies = c.set;
    EXPECT_EQ(MergeCookies(cookies, newCookies), c.merged) << c.what;
    EXPECT_EQ(cookies, c.merged) << c.what;
    EXPECT_EQ(newCookies, RemoveSpaces(c.set)) << c.what;
  }
}

TEST(CookieName, IsTheTrimmedTextBeforeTheFirstEquals) {
  EXPECT_EQ(CookieName(" sid = 1=2"), "sid");
  EXPECT_EQ(CookieName("flag"), "flag");
  EXPECT_EQ(CookieName("=v"), "");
  EXPECT_TRUE(HasCookieNamed({"a=1", "b=2"}, "b"));
  EXPECT_FALSE(HasCookieNamed({"a=1", "b=2"}, "B"));
  EXPECT_FALSE(HasCookieNamed({}, ""));
}

TEST(RemoveDuplicates, KeepsFirstCopies) {
  EXPECT_EQ(RemoveDuplicates("x; y; x", "; ", true), "x; y");
  EXPECT_EQ(RemoveDuplicates("", "; ", true), "");
  EXPECT_EQ(RemoveDuplicates("abcab", ",", false), "a,b,c");
  EXPECT_EQ(RemoveDuplicates("中a中", "", false), "中a");
}

TEST(SplitChars, CutsTwoByteCharactersAndCrLfAsOneUnit) {
  EXPECT_THAT(SplitChars("a中\r\nb"), ElementsAre("a", "中", "\r\n", "b"));
  EXPECT_THAT(SplitChars("\r\r\n"), ElementsAre("\r", "\r\n"));
  EXPECT_THAT(SplitChars("a\x80z"), ElementsAre("a", "\x80", "z"));
  EXPECT_THAT(SplitChars("a\xD6"), ElementsAre("a", "\xD6"));  // a lead byte at the end stands alone
  EXPECT_THAT(SplitChars(""), ElementsAre());
}

TEST(FindInList, GivesTheFirstEqualItem) {
  EXPECT_EQ(FindInList({"a", "b", "b"}, "b"), 2);
  EXPECT_EQ(FindInList({"a"}, "A"), -1);
  EXPECT_EQ(FindInList({}, ""), -1);
}

}  // namespace
