// 重置网络: netsh winsock reset in a console kept open by /k, not waited for.
#include "actions/handlers.h"
#include "runtime/process.h"

void OnResetButton() { LaunchConsole("cmd /k netsh winsock reset", false); }
