// Header names in canonical capitals; values and everything else untouched.
#include "http/header_names.h"

#include <gtest/gtest.h>

namespace {

TEST(NormaliseHeaderNames, RaisesTheFirstLetterOfEachWordOfTheName) {
  struct Case {
    const char* block;
    const char* expected;
  };
  const Case cases[] = {
      {"content-type: text/HTML; charset=x", "Content-Type: text/HTML; charset=x"},
      {"Accept-Language: zh-cn", "Accept-Language: zh-cn"},
      {"X-CUSTOM-ID: 1", "X-CUSTOM-ID: 1"},
      {"accept:x: y", "Accept:x: y"},
      {"no colon\r\n\r\nhost: a", "Host: a"},
      {"no colon\r\n\r\n", ""},
      {"a: 1\r\n", "A: 1"},
      {"", ""},
      {":starts with a colon", ":starts with a colon"},
      {"x-: v", "X-: v"},
      {"a--b: v", "A--B: v"},
      {"x-forwarded-for: 1.2.3.4\r\nuser-agent: ua/1", "X-Forwarded-For: 1.2.3.4\r\nUser-Agent: ua/1"},
      {"1st-line: v", "1st-Line: v"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseHeaderNames(c.block), c.expected) << c.block;
}

TEST(CapitaliseFirst, RaisesOnlyAnAsciiFirstLetter) {
  EXPECT_EQ(CapitaliseFirst(""), "");
  EXPECT_EQ(CapitaliseFirst("abc"), "Abc");
  EXPECT_EQ(CapitaliseFirst("aBC"), "ABC");
  EXPECT_EQ(CapitaliseFirst("9a"), "9a");
  EXPECT_EQ(CapitaliseFirst("中a"), "中a");
}

}  // namespace
