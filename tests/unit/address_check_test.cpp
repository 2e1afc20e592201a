// The address check's decisions: messages, and the consoles it launches in order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/command_safety.h"
#include "actions/control_ids.h"
#include "actions/handlers.h"
#include "tests/fakes/runtime_fakes.h"

using testing::ElementsAreArray;

namespace {

struct AddressCase {
  const char* name;
  Text address1;
  Text address2;
  int ping;
  int tracert;
  std::vector<ShownMessage> messages;
  std::vector<Text> lines;
};

void Click(const Text& address1, const Text& address2, int ping, int tracert) {
  ResetRuntimeFakes();
  fakes.editTexts[addressEdit1] = address1;
  fakes.editTexts[addressEdit2] = address2;
  fakes.checkStates[pingCheck] = ping;
  fakes.checkStates[tracertCheck] = tracert;
  OnCheckButton();
}

TEST(AddressCheck, DecidesMessagesAndLaunches) {
  const ShownMessage noAddress{"请至少输入一个要检测的地址！！！", 16};
  const ShownMessage noMethod{"请至少选择一种检测方法！！！", 16};
  const ShownMessage twoMethods{"只能选择选择一种检测方法！！！", 48};
  const AddressCase cases[] = {
      {"both empty beats no method", "", "", 0, 0, {noAddress}, {}},
      {"both empty beats two methods", "", "", 1, 1, {noAddress}, {}},
      {"no method", "a.example", "", 0, 0, {noMethod}, {}},
      {"two methods", "a.example", "b.example", 1, 1, {twoMethods}, {}},
      {"ping address 2 only", "", "b.example", 1, 0, {}, {"cmd /c ping b.example"}},
      {"ping address 1 only", "a.example", "", 1, 0, {}, {"cmd /c ping a.example"}},
      {"ping both, address 2 first",
       "a.example",
       "b.example",
       1,
       0,
       {},
       {"cmd /c ping b.example", "cmd /c ping a.example"}},
      {"tracert address 1 only", "a.example", "", 0, 1, {}, {"cmd /c tracert a.example"}},
      {"tracert address 2 only", "", "b.example", 0, 1, {}, {"cmd /c tracert b.example"}},
      {"tracert both, two spaces for address 2",
       "a.example",
       "b.example",
       0,
       1,
       {},
       {"cmd /c tracert  b.example", "cmd /c tracert a.example"}},
      {"spaces are an address", "   ", "", 1, 0, {}, {"cmd /c ping    "}},
      {"options stay allowed", "-t 8.8.8.8", "", 1, 0, {}, {"cmd /c ping -t 8.8.8.8"}},
  };
  for (const AddressCase& c : cases) {
    SCOPED_TRACE(c.name);
    Click(c.address1, c.address2, c.ping, c.tracert);
    EXPECT_THAT(fakes.messages, ElementsAreArray(c.messages));
    std::vector<LaunchedConsole> expected;
    for (const Text& line : c.lines) expected.push_back({line, false});
    EXPECT_THAT(fakes.launches, ElementsAreArray(expected));
  }
}

TEST(AddressCheck, RefusesEveryCmdSpecialCharacterAfterTheOtherTests) {
  const ShownMessage refusal{"地址中不能包含以下字符：& | < > ^ \" %", 16};
  for (const char* address : {"a&calc", "a|calc", "a<in", "a>out", "a^b", "a\"b", "%PATH%", "a\tb", "a\nb", "a\x7f"}) {
    SCOPED_TRACE(address);
    Click("8.8.8.8", address, 1, 0);
    EXPECT_THAT(fakes.messages, ElementsAreArray({refusal}));
    EXPECT_TRUE(fakes.launches.empty());
  }
  // The missing-input messages still come first.
  Click("a&b", "", 1, 1);
  EXPECT_EQ(fakes.messages.at(0).text, "只能选择选择一种检测方法！！！");
}

TEST(CommandSafety, StepsOverSecondBytesOnlyWhereTheCodePageHasLeadBytes) {
  // 亅 is 81 7C and 乗 is 81 5E in GBK: their second bytes are "|" and "^".
  const Text pipeTrail = "\x81\x7C.example";
  const Text caretTrail = "\x81\x5E";
  ResetRuntimeFakes();
  EXPECT_FALSE(HasForbiddenCommandChar(pipeTrail));
  EXPECT_FALSE(HasForbiddenCommandChar(caretTrail));
  EXPECT_FALSE(HasForbiddenCommandChar("百度.中国"));
  EXPECT_TRUE(HasForbiddenCommandChar("\x81\x7C|"));
  fakes.singleByteCodePage = true;
  EXPECT_TRUE(HasForbiddenCommandChar(pipeTrail));
  EXPECT_TRUE(HasForbiddenCommandChar(caretTrail));
}

}  // namespace
