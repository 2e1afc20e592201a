// Drives a real Nevrolt.exe from another Windows process under Wine: starts it
// in a folder of its own, finds its windows, reads their state, clicks.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

constexpr DWORD kPatience = 30000;  // generous: Wine can be slow on a loaded machine

struct Running {
  PROCESS_INFORMATION process = {};
  std::wstring folder;  // holds the copy of Nevrolt.exe
};

// A new empty folder under the test's temporary folder.
std::wstring NewFolder(const std::wstring& name);
// The Windows path of a file named by an environment variable holding a Unix path.
std::wstring PathFromEnvironment(const wchar_t* variable);
// Copies the built Nevrolt.exe into `folder` and starts it there, with the extra
// environment variables (NAME=value) added to this process's own.
Running StartNevrolt(const std::wstring& folder, const std::vector<std::wstring>& environment = {});
// The same for a test build of the program, named by the environment variable `build`.
Running StartNevroltBuild(const wchar_t* build, const std::wstring& folder,
                          const std::vector<std::wstring>& environment = {});
// Exit code, or STILL_ACTIVE after the time-out.
DWORD WaitForExit(const Running& running, DWORD timeout = kPatience);
// Ends the process if it still runs and closes the handles.
void Finish(Running& running);

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout = kPatience);
// The visible top-level window of the process with that class, or nullptr after the time-out.
HWND WaitForTopWindow(DWORD processId, const wchar_t* className, DWORD timeout = kPatience);
HWND WaitForMainWindow(const Running& running);
HWND WaitForMessageBox(const Running& running, DWORD timeout = kPatience);
std::wstring MessageBoxText(HWND box);
void DismissMessageBox(HWND box);
// Presses a message box's button: IDOK, IDYES, IDNO.
void PressMessageBoxButton(HWND box, int id);
// How many items the visible list boxes of the process hold, top-level or inside
// a top-level window (a drop-down list, for example).
int VisibleListBoxCount(DWORD processId);

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
RECT WindowRectangle(HWND window);

// Tab control access across processes.
std::wstring TabCaption(HWND tabs, int index);
void ClickTab(HWND tabs, int index);
void ClickButton(HWND window, HWND button);

// The window as it stands on the screen: top-down rows of 0x00RRGGBB pixels.
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<unsigned> pixels;
  unsigned At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Capture CaptureWindow(HWND window);
bool WriteBitmapFile(const std::wstring& path, const Capture& capture);

std::string ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
std::wstring WideOfUtf8(const std::string& text);
