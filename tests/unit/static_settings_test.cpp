#include "actions/static_settings.h"

#include <gtest/gtest.h>

#include <optional>

#include "actions/control_ids.h"
#include "actions/handlers.h"
#include "tests/fakes/exec_fakes.h"
#include "tests/fakes/runtime_fakes.h"

namespace {

class StaticSettings : public testing::Test {
 protected:
  void SetUp() override {
    ResetRuntimeFakes();
    ResetExecFakes();
  }
  void FillFields(const char* name, const char* ip, const char* gateway, const char* mask, const char* dns) {
    fakes.editTexts = {
        {connectionNameEdit, name}, {ipEdit, ip}, {gatewayEdit, gateway}, {maskEdit, mask}, {dnsEdit, dns}};
  }
};

TEST_F(StaticSettings, CommandLinesByteForByte) {
  struct Case {
    std::optional<Text> name;
    const char* addressLine;
    const char* dnsLine;
  };
  const Case cases[] = {
      {std::nullopt, "netsh interface ip set address 本地连接 static 192.0.2.10 255.255.255.0 192.0.2.1 1",
       "cmd /c netsh interface ip set dns 本地连接 static 192.0.2.53"},
      {Text("以太网"), "netsh interface ip set address 以太网 static 192.0.2.10 255.255.255.0 192.0.2.1 1",
       "cmd /c netsh interface ip set dns 以太网 static 192.0.2.53"},
      {Text(""), "netsh interface ip set address  static 192.0.2.10 255.255.255.0 192.0.2.1 1",
       "cmd /c netsh interface ip set dns  static 192.0.2.53"},
      {Text("以太网 2"), "netsh interface ip set address \"以太网 2\" static 192.0.2.10 255.255.255.0 192.0.2.1 1",
       "cmd /c netsh interface ip set dns \"以太网 2\" static 192.0.2.53"},
      {Text("Local Area Connection"),
       "netsh interface ip set address \"Local Area Connection\" static 192.0.2.10 255.255.255.0 192.0.2.1 1",
       "cmd /c netsh interface ip set dns \"Local Area Connection\" static 192.0.2.53"},
      // The full-width space separates nothing for cmd: left unquoted.
      {Text("网卡\xA1\xA1一"),
       "netsh interface ip set address 网卡\xA1\xA1一 static 192.0.2.10 255.255.255.0 192.0.2.1 1",
       "cmd /c netsh interface ip set dns 网卡\xA1\xA1一 static 192.0.2.53"},
  };
  for (const Case& c : cases) {
    ResetExecFakes();
    // Parameters come as address, gateway, mask; the line orders them address, mask, gateway.
    if (c.name) {
      SetStaticAddress("192.0.2.10", "192.0.2.1", "255.255.255.0", *c.name);
      SetStaticDns("192.0.2.53", *c.name);
    } else {
      SetStaticAddress("192.0.2.10", "192.0.2.1", "255.255.255.0");
      SetStaticDns("192.0.2.53");
    }
    EXPECT_EQ(fakes.events, (std::vector<Text>{ConcatText({"run ", c.addressLine}), ConcatText({"run ", c.dnsLine})}));
  }
}

TEST_F(StaticSettings, SuccessIsTheWordAnywhereAndTheErrorTextLosesOneCrLf) {
  struct Case {
    Text output;
    bool success;
    Text errorText;  // what the variable holds afterwards; it starts as "untouched"
  };
  const Case cases[] = {
      {"确定。\r\n", true, "untouched"},
      {"Error\r\n确定", true, "untouched"},
      {"", false, ""},
      {"参数错误。\r\n", false, "参数错误。"},
      {"参数错误。\r\n\r\n", false, "参数错误。\r\n"},
      {"第一行\r\n第二行", false, "第一行第二行"},
      {"no line break", false, "no line break"},
      {"a\r\nb\r\nc\r\n", false, "a\r\nb\r\nc"},
      // A high byte right before the last CR LF, first or after an ASCII byte,
      // takes the CR with it as one character: nothing is removed.
      {"\xB0\r\n", false, "\xB0\r\n"},
      {"x\xB0\r\n", false, "x\xB0\r\n"},
      {"误\xB0\r\n", false, "误\xB0\r\n"},
      // The last CR LF on a character boundary is the first one here, and it goes.
      {"a\r\n\xB2\r\n", false, "a\xB2\r\n"},
  };
  for (const Case& c : cases) {
    for (bool dns : {false, true}) {
      ResetExecFakes();
      execFakes.outputs = {c.output};
      Text errorText = "untouched";
      bool success = dns ? SetStaticDns("192.0.2.53", Text("以太网"), &errorText)
                         : SetStaticAddress("192.0.2.10", "192.0.2.1", "255.255.255.0", Text("以太网"), &errorText);
      EXPECT_EQ(success, c.success) << c.output << (dns ? " (dns)" : " (address)");
      EXPECT_EQ(errorText, c.errorText) << c.output << (dns ? " (dns)" : " (address)");
    }
  }
  ResetExecFakes();
  EXPECT_FALSE(SetStaticAddress("192.0.2.10", "192.0.2.1", "255.255.255.0")) << "no error variable: just the result";
}

TEST_F(StaticSettings, AllFilledRunsAddressThenDnsAndSaysNothingOnSuccess) {
  FillFields("以太网 2", "192.0.2.10", "192.0.2.1", "255.255.255.0", "192.0.2.53");
  execFakes.outputs = {"确定。\r\n", "确定。\r\n"};
  OnSaveButton();
  EXPECT_EQ(
      fakes.events,
      (std::vector<Text>{"run netsh interface ip set address \"以太网 2\" static 192.0.2.10 255.255.255.0 192.0.2.1 1",
                         "run cmd /c netsh interface ip set dns \"以太网 2\" static 192.0.2.53"}));
  EXPECT_TRUE(fakes.messages.empty());
}

TEST_F(StaticSettings, OnlyTheFirstEmptyFieldIsReportedAndNothingRuns) {
  struct Case {
    const char* name;
    const char* ip;
    const char* gateway;
    const char* mask;
    const char* dns;
    const char* warning;
  };
  const Case cases[] = {
      {"", "192.0.2.10", "192.0.2.1", "255.255.255.0", "192.0.2.53", "请输入网络名称"},
      {"以太网", "", "192.0.2.1", "", "192.0.2.53", "请输入IP地址"},
      {"以太网", "192.0.2.10", "", "255.255.255.0", "192.0.2.53", "请输入网关"},
      {"以太网", "192.0.2.10", "192.0.2.1", "", "", "请输入子网掩码"},
      {"以太网", "192.0.2.10", "192.0.2.1", "255.255.255.0", "", "请输入DNS地址"},
      {"", "", "", "", "", "请输入网络名称"},
      // The empty check comes first, then the character check.
      {"以太网", "", "1&2", "255.255.255.0", "192.0.2.53", "请输入IP地址"},
  };
  for (const Case& c : cases) {
    SetUp();
    FillFields(c.name, c.ip, c.gateway, c.mask, c.dns);
    OnSaveButton();
    EXPECT_EQ(fakes.messages, (std::vector<ShownMessage>{{c.warning, 48}})) << c.warning;
    EXPECT_TRUE(fakes.events.empty()) << c.warning;
  }
  SetUp();
  FillFields(" ", " ", " ", " ", " ");
  OnSaveButton();
  EXPECT_TRUE(fakes.messages.empty()) << "spaces are not empty";
  EXPECT_EQ(execFakes.runs, 2);
}

TEST_F(StaticSettings, ForbiddenCharacterInAnyFieldIsRefusedBeforeAnythingRuns) {
  const char* const bad[] = {"a&b", "a|b", "a<b", "a>b", "a^b", "a\"b", "%PATH%", "a\tb", "a\nb"};
  for (int field = 0; field < 5; ++field) {
    for (const char* text : bad) {
      SetUp();
      const char* values[5] = {"以太网", "192.0.2.10", "192.0.2.1", "255.255.255.0", "192.0.2.53"};
      values[field] = text;
      FillFields(values[0], values[1], values[2], values[3], values[4]);
      OnSaveButton();
      EXPECT_EQ(fakes.messages, (std::vector<ShownMessage>{{"输入内容中不能包含以下字符：& | < > ^ \" %", 16}}))
          << "field " << field << ": " << text;
      EXPECT_TRUE(fakes.events.empty()) << "field " << field << ": " << text;
    }
  }
}

TEST_F(StaticSettings, EachFailedCommandShowsItsErrorTextAndDnsStillRuns) {
  const Text address = "run netsh interface ip set address 以太网 static 192.0.2.10 255.255.255.0 192.0.2.1 1";
  const Text dns = "run cmd /c netsh interface ip set dns 以太网 static 192.0.2.53";
  struct Case {
    std::vector<Text> outputs;
    std::vector<Text> events;
  };
  const Case cases[] = {
      {{"地址无效。\r\n", "确定。\r\n"}, {address, "box 16 地址无效。", dns}},
      {{"确定。\r\n", "服务器无效。\r\n\r\n"}, {address, dns, "box 16 服务器无效。\r\n"}},
      {{"地址无效。\r\n", "服务器无效。\r\n"}, {address, "box 16 地址无效。", dns, "box 16 服务器无效。"}},
      {{"", ""}, {address, dns}},          // no output: nothing to say
      {{"\r\n", "确定"}, {address, dns}},  // an error text that comes out empty
  };
  for (const Case& c : cases) {
    SetUp();
    FillFields("以太网", "192.0.2.10", "192.0.2.1", "255.255.255.0", "192.0.2.53");
    execFakes.outputs = c.outputs;
    OnSaveButton();
    EXPECT_EQ(fakes.events, c.events);
    EXPECT_TRUE(fakes.messages.empty()) << "command output goes through the system-text box only";
  }
}

TEST_F(StaticSettings, WindowClosedDuringARunEndsTheHandler) {
  const Text address = "run netsh interface ip set address 以太网 static 192.0.2.10 255.255.255.0 192.0.2.1 1";
  const Text dns = "run cmd /c netsh interface ip set dns 以太网 static 192.0.2.53";
  // Closed during a run: no box for that run's failure and nothing after it.
  const std::vector<Text> expected[] = {{address}, {address, "box 16 地址无效。", dns}};
  for (int run : {1, 2}) {
    SetUp();
    FillFields("以太网", "192.0.2.10", "192.0.2.1", "255.255.255.0", "192.0.2.53");
    execFakes.outputs = {"地址无效。\r\n", "服务器无效。\r\n"};
    execFakes.closeWindowInRun = run;
    OnSaveButton();
    EXPECT_EQ(fakes.events, expected[run - 1]) << "closed in run " << run;
    EXPECT_EQ(fakes.readOrder.size(), 5u) << "the fields are read once, before any run";
  }
}

}  // namespace
