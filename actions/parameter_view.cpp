// 检测网络参数 and the reset page's button: one console each, kept open by /k.
#include "actions/handlers.h"
#include "runtime/process.h"
#include "runtime/window.h"

// The window stays frozen until the user closes the console.
void OnShowParamsButton() {
  BeginWaitCursor();
  LaunchConsole("cmd /k ipconfig /all", true);
  EndWaitCursor();
}

void OnResetButton() { LaunchConsole("cmd /k netsh winsock reset", false); }
