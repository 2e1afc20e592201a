// 保存设置: the connection's static address, mask, gateway and DNS server.
#include "actions/static_settings.h"

#include "actions/command_safety.h"
#include "actions/control_ids.h"
#include "actions/handlers.h"
#include "exec/run_hidden.h"
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

// Success is the word "确定" anywhere. The error text drops one CR LF, searched
// from two bytes before the last one.
bool JudgeOutput(const Text& output, Text* errorText) {
  if (FindText(output, "确定", 1, false) > 0) return true;
  if (errorText) {
    int last = FindLastText(output, "\r\n", std::nullopt, false);
    *errorText = ReplaceText(output, "\r\n", "", last - 2, 1, true);
  }
  return false;
}

}  // namespace

bool SetStaticAddress(const Text& address, const Text& gateway, const Text& mask,
                      const std::optional<Text>& connectionName, Text* errorText) {
  Text line = ConcatText({"netsh interface ip set address ", NameOnLine(connectionName), " static ", address, " ", mask,
                          " ", gateway, " 1"});
  return JudgeOutput(RunHidden(line), errorText);
}

bool SetStaticDns(const Text& dnsServer, const std::optional<Text>& connectionName, Text* errorText) {
  Text line = ConcatText({"cmd /c netsh interface ip set dns ", NameOnLine(connectionName), " static ", dnsServer});
  return JudgeOutput(RunHidden(line), errorText);
}

void OnSaveButton() {
  Text texts[kFieldCount];
  for (int i = 0; i < kFieldCount; ++i) texts[i] = ReadEditText(kFields[i].id);
  // Nothing runs on partial or unsafe input: the fields go into an elevated cmd line.
  for (int i = 0; i < kFieldCount; ++i) {
    if (TextLength(texts[i]) == 0) {
      ShowMessage(kFields[i].warning, kWarningIcon);
      return;
    }
  }
  for (const Text& text : texts) {
    if (HasForbiddenCommandChar(text)) {
      ShowMessage(kForbidden, kErrorIcon);
      return;
    }
  }
  const Text& name = texts[0];

  // Each run and each message box dispatches messages: the window may be gone after it.
  Text addressError;
  bool addressSet = SetStaticAddress(texts[1], texts[2], texts[3], name, &addressError);
  if (MainWindowClosed()) return;
  if (!addressSet && TextLength(addressError) > 0) ShowSystemMessage(addressError, kErrorIcon);
  if (MainWindowClosed()) return;

  Text dnsError;
  bool dnsSet = SetStaticDns(texts[4], name, &dnsError);
  if (MainWindowClosed()) return;
  if (!dnsSet && TextLength(dnsError) > 0) ShowSystemMessage(dnsError, kErrorIcon);
}
