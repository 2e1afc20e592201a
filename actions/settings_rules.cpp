// 保存设置's input rules: addresses, mask, DNS servers, the connection's name,
// and the reading of netsh's answers.
#include "actions/settings_rules.h"

#include <string>

namespace {

constexpr char kFullWidthComma[] = "，";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// 0.x.x.x, loopback, and multicast and reserved: no interface's own address.
bool IsReservedHost(std::uint32_t address) {
  std::uint32_t first = address >> 24;
  return first == 0 || first == 127 || address >= 0xE0000000u;
}

// Loopback is allowed: a resolver may listen on the machine itself.
bool IsDnsServer(std::uint32_t address) { return address >> 24 != 0 && address < 0xE0000000u; }

// A mask's one bits run from the top without a gap, and there is at least one.
bool ParseMask(const Text& text, std::uint32_t* mask) {
  if (!ParseIpv4(text, mask) || *mask == 0) return false;
  std::uint32_t host = ~*mask;
  return (host & (host + 1)) == 0;
}

// A /31 or /32 subnet has no network or broadcast address to avoid.
bool IsNetworkOrBroadcast(std::uint32_t address, std::uint32_t ip, std::uint32_t mask) {
  std::uint32_t host = ~mask;
  if (host < 3) return false;
  std::uint32_t network = ip & mask;
  return address == network || address == (network | host);
}

size_t SeparatorLength(const Text& text, size_t i) {
  if (text[i] == ',' || text[i] == ';' || text[i] == ' ') return 1;
  if (IsSpaceAt(text, i) || text.compare(i, 2, kFullWidthComma) == 0) return 2;
  return 0;
}

// The parts between runs of separators, stepping over two-byte characters. False
// when a separator leads or trails, or there is no part.
bool SplitServers(const Text& dns, TextList* servers) {
  Text current;
  for (size_t i = 0; i < dns.size();) {
    size_t separator = SeparatorLength(dns, i);
    if (separator > 0) {
      if (current.empty() && servers->empty()) return false;
      if (!current.empty()) servers->push_back(current);
      current.clear();
      i += separator;
    } else {
      size_t step = static_cast<unsigned char>(dns[i]) >= 0x80 && i + 1 < dns.size() ? 2 : 1;
      current.append(dns, i, step);
      i += step;
    }
  }
  if (current.empty()) return false;
  servers->push_back(current);
  return true;
}

bool IsDnsField(const Text& dns) {
  TextList servers;
  if (!SplitServers(dns, &servers) || servers.size() > 2) return false;
  for (const Text& server : servers) {
    std::uint32_t address;
    if (!ParseIpv4(server, &address) || !IsDnsServer(address)) return false;
  }
  return true;
}

MessageText Invalid(const char* field, const Text& typed) {
  return {{kProgramText, ConcatText({field, "“"})}, {kAnsiText, typed}, {kProgramText, "”无效"}};
}

}  // namespace

bool ParseIpv4(const Text& text, std::uint32_t* address) {
  std::uint32_t value = 0;
  size_t i = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (i >= text.size() || text[i] != '.') return false;
      ++i;
    }
    size_t start = i;
    std::uint32_t number = 0;
    while (i < text.size() && i - start < 3 && IsDigit(text[i])) number = number * 10 + (text[i++] - '0');
    size_t digits = i - start;
    if (digits == 0 || number > 255 || (digits > 1 && text[start] == '0')) return false;
    value = value << 8 | number;
  }
  if (i != text.size()) return false;
  if (address) *address = value;
  return true;
}

MessageText FirstAddressFault(const Text& ip, const Text& gateway, const Text& mask, const Text& dns) {
  // The checks that need the mask wait while it is invalid, so the mask's own
  // fault is reported in its place.
  std::uint32_t maskValue = 0;
  bool maskValid = ParseMask(mask, &maskValue);

  std::uint32_t ipValue = 0;
  if (!ParseIpv4(ip, &ipValue) || IsReservedHost(ipValue) ||
      (maskValid && IsNetworkOrBroadcast(ipValue, ipValue, maskValue))) {
    return Invalid("IP地址", ip);
  }
  std::uint32_t gatewayValue = 0;
  if (!ParseIpv4(gateway, &gatewayValue) || IsReservedHost(gatewayValue) || gatewayValue == ipValue ||
      (maskValid && IsNetworkOrBroadcast(gatewayValue, ipValue, maskValue))) {
    return Invalid("网关", gateway);
  }
  if (maskValid && (gatewayValue & maskValue) != (ipValue & maskValue)) {
    return {{kProgramText, "网关“"},
            {kAnsiText, gateway},
            {kProgramText, "”不在IP地址“"},
            {kAnsiText, ip},
            {kProgramText, "”的子网内"}};
  }
  if (!maskValid) return Invalid("子网掩码", mask);
  if (!IsDnsField(dns)) return Invalid("DNS地址", dns);
  return {};
}

TextList SplitDnsServers(const Text& dns) {
  TextList servers;
  SplitServers(dns, &servers);
  return servers;
}

bool NetshSucceeded(bool started, unsigned long exitCode, const Text& output) {
  // Vista's netsh prints an empty line and exits 0; older ones print "确定".
  return started && (exitCode == 0 || FindText(output, "确定") > 0);
}

MessageText NetshFailureMessage(NetshCommand command, bool started, unsigned long exitCode, const Text& errorText) {
  if (!started) return {{kProgramText, "无法运行 netsh"}};
  if (!errorText.empty()) return {{kConsoleText, errorText}};
  const char* what = command == kAddressCommand ? "设置IP地址失败" : "设置DNS服务器失败";
  return {{kProgramText, ConcatText({what, "（netsh 返回 ", std::to_string(exitCode), "）"})}};
}

MessageText ConnectionNameFault(const Text& name, const std::vector<Connection>& connections) {
  if (connections.empty()) return {};
  Text folded = ToLowerAscii(name);
  for (const Connection& connection : connections) {
    // to_string writes no sign and no leading zero, so "07" names nothing.
    if (ToLowerAscii(connection.name) == folded || std::to_string(connection.index) == name) return {};
  }
  MessageText fault = {{kProgramText, "找不到网络连接“"}, {kAnsiText, name}, {kProgramText, "”。本机的网络连接："}};
  for (size_t i = 0; i < connections.size(); ++i) {
    if (i > 0) fault.push_back({kProgramText, "、"});
    fault.push_back({kAnsiText, connections[i].name});
  }
  return fault;
}

bool AsksForDhcp(const Text& name, const Text& ip, const Text& gateway, const Text& mask, const Text& dns) {
  return !name.empty() && ip.empty() && gateway.empty() && mask.empty() && dns.empty();
}

MessageText DhcpQuestion(const Text& name) {
  return {
      {kProgramText, "是否将网络连接“"}, {kAnsiText, name}, {kProgramText, "”改为自动获取IP地址和DNS服务器（DHCP）？"}};
}
