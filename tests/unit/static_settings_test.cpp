#include "actions/static_settings.h"

#include <gtest/gtest.h>

#include <optional>

#include "actions/control_ids.h"
#include "actions/handlers.h"
#include "actions/settings_rules.h"
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

TEST_F(StaticSettings, SecondDnsAndDhcpLinesByteForByte) {
  struct Case {
    bool (*run)(const Text& name);
    const char* line;
  };
  const Case cases[] = {
      {[](const Text& name) { return AddSecondDns("114.114.114.114", name); },
       "netsh interface ip add dns \"以太网 2\" 114.114.114.114 index=2"},
      {[](const Text& name) { return SetDhcpAddress(name); }, "netsh interface ip set address \"以太网 2\" dhcp"},
      {[](const Text& name) { return SetDhcpDns(name); }, "netsh interface ip set dns \"以太网 2\" dhcp"},
  };
  for (const Case& c : cases) {
    ResetExecFakes();
    c.run("以太网 2");
    EXPECT_EQ(fakes.events, std::vector<Text>{ConcatText({"run ", c.line})});
  }
}

// netsh since Vista prints nothing on success and exits 0, and prints its reason
// and exits 1 on failure; older netsh printed "确定" on success.
TEST_F(StaticSettings, SuccessIsExitCodeZeroOrTheWordAndTheErrorTextLosesOneCrLf) {
  struct Case {
    Text output;
    bool success;
    Text errorText;  // what the variable holds afterwards; it starts as "untouched"
    ChildExit exit = {true, 1};
  };
  const Case cases[] = {
      {"\r\n", true, "untouched", {true, 0}},
      {"", true, "untouched", {true, 0}},
      {"参数错误。\r\n", true, "untouched", {true, 0}},  // the exit code decides
      {"确定。\r\n", true, "untouched"},
      {"Error\r\n确定", true, "untouched"},
      {"", false, "", {false, 0}},  // cmd did not start
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
      execFakes.exits = {c.exit};
      Text errorText = "untouched";
      ChildExit exit;
      bool success =
          dns ? SetStaticDns("192.0.2.53", Text("以太网"), &errorText, &exit)
              : SetStaticAddress("192.0.2.10", "192.0.2.1", "255.255.255.0", Text("以太网"), &errorText, &exit);
      EXPECT_EQ(success, c.success) << c.output << (dns ? " (dns)" : " (address)");
      EXPECT_EQ(errorText, c.errorText) << c.output << (dns ? " (dns)" : " (address)");
      EXPECT_EQ(exit.code, c.exit.code) << "the run's exit is handed on";
    }
  }
  ResetExecFakes();
  execFakes.exits = {{true, 1}};
  EXPECT_FALSE(SetStaticAddress("192.0.2.10", "192.0.2.1", "255.255.255.0")) << "no error variable: just the result";
}

TEST_F(StaticSettings, AllFilledRunsAddressThenEachDnsServerAndSaysSoOnSuccess) {
  const Text address = "run netsh interface ip set address \"以太网 2\" static 192.0.2.10 255.255.255.0 192.0.2.1 1";
  const Text first = "run cmd /c netsh interface ip set dns \"以太网 2\" static 192.0.2.53";
  const Text second = "run netsh interface ip add dns \"以太网 2\" 114.114.114.114 index=2";
  struct Case {
    const char* dns;
    std::vector<Text> events;
  };
  const Case cases[] = {
      {"192.0.2.53", {address, first}},
      {"192.0.2.53, 114.114.114.114", {address, first, second}},
  };
  for (const Case& c : cases) {
    SetUp();
    FillFields("以太网 2", "192.0.2.10", "192.0.2.1", "255.255.255.0", c.dns);
    OnSaveButton();
    EXPECT_EQ(fakes.events, c.events);
    EXPECT_EQ(fakes.messages, (std::vector<ShownMessage>{{"设置已生效", 64}}));
  }
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
  EXPECT_EQ(fakes.messages, (std::vector<ShownMessage>{{"IP地址“ ”无效", 48}})) << "spaces are not empty";
  EXPECT_EQ(execFakes.runs, 0);
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

TEST_F(StaticSettings, EachFailedCommandSaysWhyAndTheDnsStillRuns) {
  const Text address = "run netsh interface ip set address 以太网 static 192.0.2.10 255.255.255.0 192.0.2.1 1";
  const Text dns = "run cmd /c netsh interface ip set dns 以太网 static 192.0.2.53";
  const Text second = "run netsh interface ip add dns 以太网 8.8.8.8 index=2";
  struct Case {
    const char* what;
    const char* dnsField;
    std::vector<Text> outputs;
    std::vector<ChildExit> exits;
    std::vector<Text> events;
  };
  const Case cases[] = {
      {"address refused",
       "192.0.2.53",
       {"地址无效。\r\n", "\r\n"},
       {{true, 1}, {true, 0}},
       {address, "box 16 地址无效。", dns}},
      {"dns refused",
       "192.0.2.53",
       {"\r\n", "服务器无效。\r\n\r\n"},
       {{true, 0}, {true, 1}},
       {address, dns, "box 16 服务器无效。\r\n"}},
      {"both refused",
       "192.0.2.53",
       {"地址无效。\r\n", "服务器无效。\r\n"},
       {{true, 1}, {true, 1}},
       {address, "box 16 地址无效。", dns, "box 16 服务器无效。"}},
      {"silent failures",
       "192.0.2.53",
       {"", "\r\n"},
       {{true, 1}, {true, 5}},
       {address, "box 16 设置IP地址失败（netsh 返回 1）", dns, "box 16 设置DNS服务器失败（netsh 返回 5）"}},
      {"netsh cannot run",
       "192.0.2.53",
       {},
       {{false, 0}, {false, 0}},
       {address, "box 16 无法运行 netsh", dns, "box 16 无法运行 netsh"}},
      {"second server refused",
       "192.0.2.53 8.8.8.8",
       {"", "", "服务器无效。\r\n"},
       {{true, 0}, {true, 0}, {true, 1}},
       {address, dns, second, "box 16 服务器无效。"}},
      {"no second server after a failed first",
       "192.0.2.53 8.8.8.8",
       {},
       {{true, 0}, {true, 1}},
       {address, dns, "box 16 设置DNS服务器失败（netsh 返回 1）"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    FillFields("以太网", "192.0.2.10", "192.0.2.1", "255.255.255.0", c.dnsField);
    execFakes.outputs = c.outputs;
    execFakes.exits = c.exits;
    OnSaveButton();
    EXPECT_EQ(fakes.events, c.events);
    ASSERT_FALSE(fakes.messages.empty());
    EXPECT_NE(fakes.messages.back().text, "设置已生效") << "nothing claims success after a failure";
  }
  // netsh's own words are console text; the program's are its own.
  EXPECT_EQ(Joined(NetshFailureMessage(kDnsCommand, true, 1, "x"), 16).origins, std::vector<TextOrigin>{kConsoleText});
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
    execFakes.exits = {{true, 1}, {true, 1}};
    execFakes.closeWindowInRun = run;
    OnSaveButton();
    EXPECT_EQ(fakes.events, expected[run - 1]) << "closed in run " << run;
    EXPECT_EQ(fakes.readOrder.size(), 5u) << "the fields are read once, before any run";
  }
}

TEST_F(StaticSettings, InputIsCheckedBeforeAnythingRuns) {
  const std::vector<Connection> machine = {{"以太网", 11}, {"WLAN", 7}};
  struct Case {
    const char* name;
    const char* ip;
    const char* gateway;
    const char* mask;
    const char* dns;
    std::vector<Connection> connections;
    Text message;  // empty: accepted
  };
  const Case cases[] = {
      {"以太网", "192.0.2.10", "192.0.2.1", "255.255.255.0", "192.0.2.53", machine, ""},
      {"wlan", "192.0.2.10", "192.0.2.1", "255.255.255.0", "192.0.2.53", machine, ""},
      {"7", "192.0.2.10", "192.0.2.1", "255.255.255.0", "192.0.2.53", machine, ""},
      {"以太网 2", "192.0.2.10", "192.0.2.1", "255.255.255.0", "192.0.2.53", machine,
       "找不到网络连接“以太网 2”。本机的网络连接：以太网、WLAN"},
      {"以太网 2", "192.0.2.10", "192.0.2.1", "255.255.255.0", "192.0.2.53", {}, ""},  // list unreadable
      {"以太网", "192.0.2.0", "192.0.2.1", "255.255.255.0", "192.0.2.53", machine, "IP地址“192.0.2.0”无效"},
      {"以太网", "192.0.2.10", "198.51.100.1", "255.255.255.0", "192.0.2.53", machine,
       "网关“198.51.100.1”不在IP地址“192.0.2.10”的子网内"},
      {"以太网", "192.0.2.10", "192.0.2.1", "255.0.255.0", "192.0.2.53", machine, "子网掩码“255.0.255.0”无效"},
      {"以太网", "192.0.2.10", "192.0.2.1", "255.255.255.0", "8.8.8.8,", machine, "DNS地址“8.8.8.8,”无效"},
      // An unknown connection is named before a bad address: the name is the first field.
      {"以太网 2", "300.1.1.1", "192.0.2.1", "255.255.255.0", "192.0.2.53", machine,
       "找不到网络连接“以太网 2”。本机的网络连接：以太网、WLAN"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name + std::string(" ") + c.ip + " " + c.dns);
    SetUp();
    fakes.connections = c.connections;
    FillFields(c.name, c.ip, c.gateway, c.mask, c.dns);
    OnSaveButton();
    if (c.message.empty()) {
      EXPECT_EQ(execFakes.runs, 2);
      continue;
    }
    EXPECT_EQ(fakes.messages, (std::vector<ShownMessage>{{c.message, 48}}));
    EXPECT_EQ(execFakes.runs, 0);
  }
}

TEST_F(StaticSettings, EmptyAddressFieldsAskForDhcpAndYesRunsBothDhcpLines) {
  const Text question = "ask 是否将网络连接“以太网 2”改为自动获取IP地址和DNS服务器（DHCP）？";
  const Text address = "run netsh interface ip set address \"以太网 2\" dhcp";
  const Text dns = "run netsh interface ip set dns \"以太网 2\" dhcp";
  struct Case {
    bool yes;
    std::vector<ChildExit> exits;
    std::vector<Text> events;
    const char* last;  // the last message shown
  };
  const Case cases[] = {
      {true, {}, {question, address, dns}, "设置已生效"},
      {true,
       {{true, 1}, {true, 0}},
       {question, address, "box 16 设置IP地址失败（netsh 返回 1）", dns},
       "设置IP地址失败（netsh 返回 1）"},
      {false, {}, {question}, "是否将网络连接“以太网 2”改为自动获取IP地址和DNS服务器（DHCP）？"},
  };
  for (const Case& c : cases) {
    SetUp();
    fakes.answerYes = c.yes;
    fakes.connections = {{"以太网 2", 3}};
    execFakes.exits = c.exits;
    FillFields("以太网 2", "", "", "", "");
    OnSaveButton();
    EXPECT_EQ(fakes.events, c.events);
    ASSERT_FALSE(fakes.messages.empty());
    EXPECT_EQ(fakes.messages.front().icon, 32);
    EXPECT_EQ(fakes.messages.back().text, c.last);
  }
  // Any other mix of empty fields is the usual warning, and no question.
  SetUp();
  FillFields("以太网 2", "", "", "", "192.0.2.53");
  OnSaveButton();
  EXPECT_EQ(fakes.messages, (std::vector<ShownMessage>{{"请输入IP地址", 48}}));
  // A DHCP request still needs a known connection.
  SetUp();
  fakes.connections = {{"以太网", 3}};
  FillFields("以太网 2", "", "", "", "");
  OnSaveButton();
  EXPECT_EQ(fakes.messages, (std::vector<ShownMessage>{{"找不到网络连接“以太网 2”。本机的网络连接：以太网", 48}}));
  EXPECT_EQ(execFakes.runs, 0) << "neither a question nor a run";
}

}  // namespace
