// The Win32 side of the window services, for the application shell.
#pragma once

#include <windows.h>

// The window whose controls ReadEditText and ReadCheckState read, and whose
// destruction MainWindowClosed reports.
void SetMainWindow(HWND window);
void NoteMainWindowDestroyed();

// Hands one message to the window: Esc anywhere closes it, Tab and the arrow
// keys move the focus between controls, everything else is dispatched. Both the
// message loop and ProcessEvents go through here.
void DispatchWindowMessage(MSG& message);
