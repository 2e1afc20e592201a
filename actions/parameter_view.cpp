// 检测网络参数: ipconfig /all in a console kept open by /k.
#include "actions/handlers.h"
#include "runtime/process.h"
#include "runtime/window.h"

// The window stays frozen until the user closes the console.
void OnShowParamsButton() {
  BeginWaitCursor();
  LaunchConsole("cmd /k ipconfig /all", true);
  EndWaitCursor();
}
