#include "actions/settings_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr TextOrigin P = kProgramText;
constexpr TextOrigin A = kAnsiText;
constexpr TextOrigin C = kConsoleText;

// Each piece's origin and bytes, so that a mismatch shows where.
Text Describe(const MessageText& message) {
  Text out;
  for (const MessagePiece& piece : message) {
    out += piece.origin == kProgramText ? "P[" : piece.origin == kAnsiText ? "A[" : "C[";
    out += piece.text + "]";
  }
  return out;
}

MessageText Invalid(const char* field, const Text& typed) {
  return {{P, ConcatText({field, "“"})}, {A, typed}, {P, "”无效"}};
}

MessageText OutsideSubnet(const Text& gateway, const Text& ip) {
  return {{P, "网关“"}, {A, gateway}, {P, "”不在IP地址“"}, {A, ip}, {P, "”的子网内"}};
}

TEST(SettingsRules, Ipv4IsFourPlainDecimalNumbersUpTo255) {
  struct Case {
    const char* text;
    bool valid;
    std::uint32_t address;
  };
  const Case cases[] = {
      {"192.168.1.10", true, 0xC0A8010Au},
      {"0.0.0.0", true, 0},
      {"255.255.255.255", true, 0xFFFFFFFFu},
      {"10.0.200.7", true, 0x0A00C807u},
      {"256.1.1.1", false, 0},
      {"1.2.3.256", false, 0},
      {"1.2.3", false, 0},
      {"1.2.3.4.5", false, 0},
      {"1.2.3.4.", false, 0},
      {".1.2.3", false, 0},
      {"1..2.3", false, 0},
      {"01.2.3.4", false, 0},
      {"1.2.3.00", false, 0},
      {"1000.2.3.4", false, 0},
      {" 1.2.3.4", false, 0},
      {"1.2.3.4 ", false, 0},
      {"+1.2.3.4", false, 0},
      {"1.-2.3.4", false, 0},
      {"1.2.3.a", false, 0},
      {"１.2.3.4", false, 0},  // a full-width digit
      {"", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::uint32_t address = 0x12345678u;
    EXPECT_EQ(ParseIpv4(c.text, &address), c.valid);
    if (c.valid) {
      EXPECT_EQ(address, c.address);
    }
    EXPECT_EQ(ParseIpv4(c.text, nullptr), c.valid);
  }
}

TEST(SettingsRules, FirstFaultOfIpGatewayAndMaskInThePageOrder) {
  struct Case {
    const char* ip;
    const char* gateway;
    const char* mask;
    MessageText fault;
  };
  const Case cases[] = {
      {"192.168.1.10", "192.168.1.1", "255.255.255.0", {}},
      {"223.255.255.10", "223.255.255.1", "255.255.255.0", {}},
      {"256.1.1.1", "192.168.1.1", "255.255.255.0", Invalid("IP地址", "256.1.1.1")},
      {"0.1.2.3", "0.1.2.1", "255.255.255.0", Invalid("IP地址", "0.1.2.3")},
      {"127.0.0.1", "127.0.0.2", "255.0.0.0", Invalid("IP地址", "127.0.0.1")},
      {"224.0.0.1", "224.0.0.2", "255.255.255.0", Invalid("IP地址", "224.0.0.1")},
      {"192.168.1.0", "192.168.1.1", "255.255.255.0", Invalid("IP地址", "192.168.1.0")},
      {"192.168.1.255", "192.168.1.1", "255.255.255.0", Invalid("IP地址", "192.168.1.255")},
      // /23: x.x.0.255 is a host, x.x.1.255 the broadcast address.
      {"192.168.0.255", "192.168.1.1", "255.255.254.0", {}},
      {"192.168.1.255", "192.168.0.1", "255.255.254.0", Invalid("IP地址", "192.168.1.255")},
      // /31 and /32 have no network or broadcast address.
      {"192.168.1.0", "192.168.1.1", "255.255.255.254", {}},
      {"192.168.1.255", "192.168.1.1", "255.255.255.255", OutsideSubnet("192.168.1.1", "192.168.1.255")},
      {"192.168.1.10", "192.168.1.10", "255.255.255.0", Invalid("网关", "192.168.1.10")},
      {"192.168.1.10", "192.168.1.0", "255.255.255.0", Invalid("网关", "192.168.1.0")},
      {"192.168.1.10", "192.168.1.255", "255.255.255.0", Invalid("网关", "192.168.1.255")},
      {"192.168.1.10", "192.168.1.1.", "255.255.255.0", Invalid("网关", "192.168.1.1.")},
      {"192.168.1.10", "0.0.0.0", "255.255.255.0", Invalid("网关", "0.0.0.0")},
      {"192.168.1.10", "127.0.0.1", "255.255.255.0", Invalid("网关", "127.0.0.1")},
      {"192.168.1.10", "239.1.1.1", "255.255.255.0", Invalid("网关", "239.1.1.1")},
      {"192.168.1.10", "192.168.2.1", "255.255.255.0", OutsideSubnet("192.168.2.1", "192.168.1.10")},
      {"192.168.1.10", "192.168.2.1", "255.255.0.0", {}},
      {"192.168.1.10", "192.168.1.1", "255.0.255.0", Invalid("子网掩码", "255.0.255.0")},
      {"192.168.1.10", "192.168.1.1", "0.0.0.0", Invalid("子网掩码", "0.0.0.0")},
      {"192.168.1.10", "192.168.1.1", "255.255.255.256", Invalid("子网掩码", "255.255.255.256")},
      // An invalid mask holds back the checks that need it: the mask is the fault.
      {"192.168.1.0", "192.168.1.255", "255.0.255.0", Invalid("子网掩码", "255.0.255.0")},
      {"192.168.1.10", "10.0.0.1", "0.0.0.0", Invalid("子网掩码", "0.0.0.0")},
      // The checks that need no mask still come first.
      {"192.168.1.10", "192.168.1.10", "0.0.0.0", Invalid("网关", "192.168.1.10")},
      {"1.2.3", "x", "y", Invalid("IP地址", "1.2.3")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ConcatText({c.ip, " ", c.gateway, " ", c.mask}));
    EXPECT_EQ(Describe(FirstAddressFault(c.ip, c.gateway, c.mask, "8.8.8.8")), Describe(c.fault));
    EXPECT_EQ(Describe(FirstAddressFault(c.ip, c.gateway, c.mask, "0.0.0.0")),
              Describe(c.fault.empty() ? Invalid("DNS地址", "0.0.0.0") : c.fault))
        << "the DNS field comes last";
  }
}

TEST(SettingsRules, DnsIsOneOrTwoUnicastServersBetweenSeparatorRuns) {
  struct Case {
    const char* dns;
    TextList servers;  // empty: the field is a fault
  };
  const Case cases[] = {
      {"8.8.8.8", {"8.8.8.8"}},
      {"127.0.0.1", {"127.0.0.1"}},
      {"8.8.8.8, 114.114.114.114", {"8.8.8.8", "114.114.114.114"}},
      {"8.8.8.8，114.114.114.114", {"8.8.8.8", "114.114.114.114"}},
      {"8.8.8.8;114.114.114.114", {"8.8.8.8", "114.114.114.114"}},
      {"8.8.8.8  114.114.114.114", {"8.8.8.8", "114.114.114.114"}},
      {"8.8.8.8　114.114.114.114", {"8.8.8.8", "114.114.114.114"}},
      {"8.8.8.8 ;，　,114.114.114.114", {"8.8.8.8", "114.114.114.114"}},
      {",8.8.8.8", {}},
      {"8.8.8.8;", {}},
      {" 8.8.8.8", {}},
      {"8.8.8.8　", {}},
      {"，8.8.8.8", {}},
      {"8.8.8.8,1.1.1.1,9.9.9.9", {}},
      {"8.8.8.8、1.1.1.1", {}},
      {"8.8.8.8.1.1.1.1", {}},
      {"0.0.0.0", {}},
      {"224.0.0.1", {}},
      {"255.255.255.255", {}},
      {"8.8.8.8 0.1.2.3", {}},
      {"8.8.8", {}},
      {",", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dns);
    MessageText fault = FirstAddressFault("192.168.1.10", "192.168.1.1", "255.255.255.0", c.dns);
    EXPECT_EQ(Describe(fault), Describe(c.servers.empty() ? Invalid("DNS地址", c.dns) : MessageText{}));
    if (!c.servers.empty()) {
      EXPECT_EQ(SplitDnsServers(c.dns), c.servers);
    }
  }
}

TEST(SettingsRules, NetshSucceedsOnExitZeroOrTheOldWord) {
  struct Case {
    bool started;
    unsigned long exitCode;
    const char* output;
    bool succeeded;
  };
  const Case cases[] = {
      {true, 0, "\r\n", true},
      {true, 0, "", true},
      {true, 1, "确定。\r\n", true},
      {true, 1, "\r\n确定", true},
      {true, 1, "找不到元素。\r\n", false},
      {true, 1, "", false},
      {false, 0, "确定", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ConcatText({c.started ? "started " : "not started ", std::to_string(c.exitCode), " ", c.output}));
    EXPECT_EQ(NetshSucceeded(c.started, c.exitCode, c.output), c.succeeded);
  }
}

TEST(SettingsRules, FailureSaysNetshDidNotRunOrItsReplyOrTheExitCode) {
  struct Case {
    NetshCommand command;
    bool started;
    unsigned long exitCode;
    const char* errorText;
    MessageText message;
  };
  const Case cases[] = {
      {kAddressCommand, false, 0, "找不到元素。", {{P, "无法运行 netsh"}}},
      {kDnsCommand, false, 1, "", {{P, "无法运行 netsh"}}},
      {kAddressCommand, true, 1, "找不到元素。", {{C, "找不到元素。"}}},
      {kDnsCommand, true, 1, "参数错误。", {{C, "参数错误。"}}},
      {kAddressCommand, true, 1, "", {{P, "设置IP地址失败（netsh 返回 1）"}}},
      {kDnsCommand, true, 4294967295ul, "", {{P, "设置DNS服务器失败（netsh 返回 4294967295）"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.message));
    EXPECT_EQ(Describe(NetshFailureMessage(c.command, c.started, c.exitCode, c.errorText)), Describe(c.message));
  }
}

TEST(SettingsRules, ConnectionIsNamedInAnyAsciiCaseOrByItsIndex) {
  // "丄" is 81 41: its second byte is "A" and must not match "乤" (81 61).
  const std::vector<Connection> connections = {{"以太网", 11}, {"WLAN", 7}, {"网卡A丄", 0}};
  auto notFound = [](const Text& name) {
    return MessageText{
        {P, "找不到网络连接“"}, {A, name}, {P, "”。本机的网络连接："}, {A, "以太网"}, {P, "、"}, {A, "WLAN"}, {P, "、"},
        {A, "网卡A丄"}};
  };
  struct Case {
    const char* name;
    MessageText fault;
  };
  const Case cases[] = {
      {"以太网", {}},
      {"wlan", {}},
      {"WlAn", {}},
      {"网卡a丄", {}},
      {"7", {}},
      {"11", {}},
      {"0", {}},
      {"网卡A乤", notFound("网卡A乤")},
      {"WLAN ", notFound("WLAN ")},
      {"07", notFound("07")},
      {"+7", notFound("+7")},
      {"8", notFound("8")},
      {"以太网 2", notFound("以太网 2")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Describe(ConnectionNameFault(c.name, connections)), Describe(c.fault));
  }
  EXPECT_EQ(Describe(ConnectionNameFault("以太网 2", {})), "") << "no list: nothing to hold against the name";
  EXPECT_EQ(Describe(ConnectionNameFault("WLAN", {{"以太网", 11}})),
            Describe({{P, "找不到网络连接“"}, {A, "WLAN"}, {P, "”。本机的网络连接："}, {A, "以太网"}}));
}

TEST(SettingsRules, DhcpIsANameWithTheFourAddressFieldsEmpty) {
  struct Case {
    const char* name;
    const char* ip;
    const char* gateway;
    const char* mask;
    const char* dns;
    bool asks;
  };
  const Case cases[] = {
      {"以太网", "", "", "", "", true},
      {" ", "", "", "", "", true},
      {"", "", "", "", "", false},
      {"以太网", "192.168.1.10", "", "", "", false},
      {"以太网", "", "192.168.1.1", "", "", false},
      {"以太网", "", "", "255.255.255.0", "", false},
      {"以太网", "", "", "", "8.8.8.8", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ConcatText({c.name, "|", c.ip, "|", c.gateway, "|", c.mask, "|", c.dns}));
    EXPECT_EQ(AsksForDhcp(c.name, c.ip, c.gateway, c.mask, c.dns), c.asks);
  }
  EXPECT_EQ(Describe(DhcpQuestion("以太网 2")),
            Describe({{P, "是否将网络连接“"}, {A, "以太网 2"}, {P, "”改为自动获取IP地址和DNS服务器（DHCP）？"}}));
}

}  // namespace
