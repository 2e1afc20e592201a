// 网址检测: one ping or tracert console per address typed.
#include "actions/command_safety.h"
#include "actions/control_ids.h"
#include "actions/handlers.h"
#include "runtime/process.h"
#include "runtime/window.h"

namespace {

void Launch(const char* prefix, const Text& address) { LaunchConsole(ConcatText({prefix, address}), false); }

}  // namespace

void OnCheckButton() {
  Text address1 = ReadEditText(addressEdit1);
  Text address2 = ReadEditText(addressEdit2);
  int ping = ReadCheckState(pingCheck);
  int tracert = ReadCheckState(tracertCheck);
  bool empty1 = CompareText(address1, "") == 0;
  bool empty2 = CompareText(address2, "") == 0;

  if (empty1 && empty2) {
    ShowMessage("请至少输入一个要检测的地址！！！", kErrorIcon);
    return;
  }
  if (ping == 0 && tracert == 0) {
    ShowMessage("请至少选择一种检测方法！！！", kErrorIcon);
    return;
  }
  if (ping == 1 && tracert == 1) {
    ShowMessage("只能选择选择一种检测方法！！！", kWarningIcon);
    return;
  }
  // The addresses go into an elevated cmd line as typed.
  if (HasForbiddenCommandChar(address1) || HasForbiddenCommandChar(address2)) {
    ShowMessage("地址中不能包含以下字符：& | < > ^ \" %", kErrorIcon);
    return;
  }

  // With two addresses, address 2 is launched first.
  if (ping == 1) {
    if (empty1) {
      Launch("cmd /c ping ", address2);
    } else if (empty2) {
      Launch("cmd /c ping ", address1);
    } else {
      Launch("cmd /c ping ", address2);
      Launch("cmd /c ping ", address1);
    }
  } else if (empty2) {
    Launch("cmd /c tracert ", address1);
  } else if (empty1) {
    Launch("cmd /c tracert ", address2);
  } else {
    Launch("cmd /c tracert  ", address2);
    Launch("cmd /c tracert ", address1);
  }
}
