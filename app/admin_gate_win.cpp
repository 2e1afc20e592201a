#include "app/admin_gate_win.h"

#include <windows.h>

#include "runtime/process.h"
#include "runtime/system_win.h"
#include "runtime/window.h"

void RunAdministratorGate() {
  using IsNTAdminFn = BOOL(WINAPI*)(DWORD, DWORD*);
  HMODULE advpack = LoadSystemLibrary("advpack.dll");
  IsNTAdminFn isNTAdmin = nullptr;
  if (!advpack || !ResolveExport(advpack, "IsNTAdmin", isNTAdmin)) {
    ShowMessage("无法加载 advpack.dll 中的函数 IsNTAdmin，程序无法启动。", kErrorIcon);
    ExitProgram(-1);
  }
  DWORD reserved = 0;
  if (isNTAdmin(0, &reserved) == 0) {
    ShowMessage("请以管理员模式运行", kNoIcon);
    ExitProgram(0);
  }
}
