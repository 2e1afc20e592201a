// Start-up: runtime services, the hidden window, the created handler, then the
// message loop until the window is gone.
#include <windows.h>

#include "actions/control_ids.h"
#include "app/admin_gate_win.h"
#include "app/connection_suggestions_win.h"
#include "app/main_window_win.h"
#include "app/skin_install.h"
#include "runtime/system_win.h"
#include "runtime/window_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  StartRuntime();
  HWND window = CreateMainWindow(instance);
  if (!window) return -1;

  // The created handler.
  RunAdministratorGate();
  ApplyBuiltInSkin(StartupSkin());

  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  SetFocus(GetNextDlgTabItem(window, nullptr, FALSE));
  // The suggestions load the shell's autocomplete and ask for the adapters: the
  // window is painted first, so the user sees it without that wait.
  UpdateWindow(window);
  OfferConnectionNames(GetDlgItem(window, connectionNameEdit), MachineConnections());

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchWindowMessage(message);
  return 0;
}
