// 保存设置: the connection's static address, mask, gateway and DNS servers, or,
// with the four address fields left empty, automatic settings (DHCP).
#include "actions/static_settings.h"

#include "actions/command_safety.h"
#include "actions/control_ids.h"
#include "actions/handlers.h"
#include "actions/settings_rules.h"
#include "runtime/connections.h"
#include "runtime/window.h"

namespace {

struct Field {
  int id;
  const char* warning;
};

// Checked in this order; the first empty one is reported.
constexpr Field kFields[] = {
    {connectionNameEdit, "请输入网络名称"}, {ipEdit, "请输入IP地址"},   {gatewayEdit, "请输入网关"},
    {maskEdit, "请输入子网掩码"},           {dnsEdit, "请输入DNS地址"},
};
constexpr int kFieldCount = sizeof kFields / sizeof kFields[0];

constexpr char kForbidden[] = "输入内容中不能包含以下字符：& | < > ^ \" %";

Text NameOnLine(const std::optional<Text>& connectionName) {
  Text name = connectionName ? *connectionName : Text("本地连接");
  // Unquoted, "以太网 2" would reach netsh as two words.
  return FindText(name, " ") > 0 ? ConcatText({"\"", name, "\""}) : name;
}

// netsh since Vista says nothing on success and exits 0; older netsh said
// "确定". The error text drops one CR LF, searched from two bytes before the
// last one.
bool RunNetsh(const Text& line, Text* errorText, ChildExit* exit) {
  ChildExit ended;
  Text output = RunHidden(line, &ended);
  if (exit) *exit = ended;
  if (NetshSucceeded(ended.started, ended.code, output)) return true;
  if (errorText) {
    int last = FindLastText(output, "\r\n", std::nullopt, false);
    *errorText = ReplaceText(output, "\r\n", "", last - 2, 1, true);
  }
  return false;
}

// The first reason not to run anything, shown to the user; false when there is none.
bool RefuseInput(const Text (&texts)[kFieldCount], bool dhcp) {
  // Asking for DHCP, the four address fields are empty by design.
  for (int i = 0; i < kFieldCount; ++i) {
    if (!dhcp && TextLength(texts[i]) == 0) {
      ShowMessage(kFields[i].warning, kWarningIcon);
      return true;
    }
  }
  // The fields go into an elevated cmd line.
  for (const Text& text : texts) {
    if (HasForbiddenCommandChar(text)) {
      ShowMessage(kForbidden, kErrorIcon);
      return true;
    }
  }
  MessageText fault = ConnectionNameFault(texts[0], MachineConnections());
  if (fault.empty() && !dhcp) fault = FirstAddressFault(texts[1], texts[2], texts[3], texts[4]);
  if (fault.empty()) return false;
  ShowJoinedMessage(fault, kWarningIcon);
  return true;
}

}  // namespace

bool SetStaticAddress(const Text& address, const Text& gateway, const Text& mask,
                      const std::optional<Text>& connectionName, Text* errorText, ChildExit* exit) {
  Text line = ConcatText({"netsh interface ip set address ", NameOnLine(connectionName), " static ", address, " ", mask,
                          " ", gateway, " 1"});
  return RunNetsh(line, errorText, exit);
}

bool SetStaticDns(const Text& dnsServer, const std::optional<Text>& connectionName, Text* errorText, ChildExit* exit) {
  Text line = ConcatText({"cmd /c netsh interface ip set dns ", NameOnLine(connectionName), " static ", dnsServer});
  return RunNetsh(line, errorText, exit);
}

bool AddSecondDns(const Text& dnsServer, const Text& connectionName, Text* errorText, ChildExit* exit) {
  Text line = ConcatText({"netsh interface ip add dns ", NameOnLine(connectionName), " ", dnsServer, " index=2"});
  return RunNetsh(line, errorText, exit);
}

bool SetDhcpAddress(const Text& connectionName, Text* errorText, ChildExit* exit) {
  return RunNetsh(ConcatText({"netsh interface ip set address ", NameOnLine(connectionName), " dhcp"}), errorText,
                  exit);
}

bool SetDhcpDns(const Text& connectionName, Text* errorText, ChildExit* exit) {
  return RunNetsh(ConcatText({"netsh interface ip set dns ", NameOnLine(connectionName), " dhcp"}), errorText, exit);
}

void OnSaveButton() {
  Text texts[kFieldCount];
  for (int i = 0; i < kFieldCount; ++i) texts[i] = ReadEditText(kFields[i].id);
  const Text& name = texts[0];
  bool dhcp = AsksForDhcp(name, texts[1], texts[2], texts[3], texts[4]);
  if (RefuseInput(texts, dhcp)) return;
  // The question, each run and each message box dispatch messages: the window
  // may be gone after any of them.
  if (dhcp && (!AskYesNo(DhcpQuestion(name)) || MainWindowClosed())) return;

  bool allApplied = true;
  Text error;
  ChildExit exit;
  // After a command: false when the window has gone; a failure is shown.
  auto reported = [&](bool succeeded, NetshCommand command) {
    if (MainWindowClosed()) return false;
    if (succeeded) return true;
    allApplied = false;
    ShowJoinedMessage(NetshFailureMessage(command, exit.started, exit.code, error), kErrorIcon);
    return !MainWindowClosed();
  };
  if (dhcp) {
    if (!reported(SetDhcpAddress(name, &error, &exit), kAddressCommand)) return;
    if (!reported(SetDhcpDns(name, &error, &exit), kDnsCommand)) return;
  } else {
    // The DNS servers are set even when the address was refused.
    if (!reported(SetStaticAddress(texts[1], texts[2], texts[3], name, &error, &exit), kAddressCommand)) return;
    TextList servers = SplitDnsServers(texts[4]);
    bool firstDnsSet = SetStaticDns(servers[0], name, &error, &exit);
    if (!reported(firstDnsSet, kDnsCommand)) return;
    // A second server only goes after the first.
    if (firstDnsSet && servers.size() > 1 && !reported(AddSecondDns(servers[1], name, &error, &exit), kDnsCommand)) {
      return;
    }
  }
  if (allApplied) ShowMessage("设置已生效", kInformationIcon);
}
