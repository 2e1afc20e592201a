#include "exec/run_hidden.h"

#include <gtest/gtest.h>

#include "tests/fakes/runtime_fakes.h"

namespace {

TEST(HiddenCommandLine, PrefixByOsFamilyLineUnchanged) {
  struct Case {
    int family;
    const char* expected;
  };
  const Case cases[] = {
      {3, "cmd.exe /c cmd /c  netsh \"a b\" "},
      {2, "command.com /c cmd /c  netsh \"a b\" "},
      {1, "command.com /c cmd /c  netsh \"a b\" "},
      {0, "command.com /c cmd /c  netsh \"a b\" "},
  };
  for (const Case& c : cases) {
    ResetRuntimeFakes();
    fakes.osFamily = c.family;
    EXPECT_EQ(HiddenCommandLine("cmd /c  netsh \"a b\" "), c.expected) << "family " << c.family;
  }
  fakes.osFamily = 3;
  EXPECT_EQ(HiddenCommandLine(""), "cmd.exe /c ");
}

}  // namespace
