// MainWindow: the fixed-size window with pageTabs and the controls of the table.
#pragma once

#include <windows.h>

// Builds the window hidden, centred on the screen, with page 0 selected.
HWND CreateMainWindow(HINSTANCE instance);
