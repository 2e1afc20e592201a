#include "tests/wine/driver.h"

#include <commctrl.h>

namespace {

std::wstring EnvironmentValue(const wchar_t* name) {
  wchar_t value[4096];
  DWORD length = GetEnvironmentVariableW(name, value, 4096);
  return length && length < 4096 ? std::wstring(value, length) : std::wstring();
}

struct TopSearch {
  DWORD processId;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<TopSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window) && ClassName(window) == search->className) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Memory inside the other process, for messages that carry pointers.
struct Remote {
  HANDLE process;
  void* memory;
};

Remote AllocateIn(HWND window, size_t size) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  return {process, VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)};
}

void Release(Remote& remote) {
  VirtualFreeEx(remote.process, remote.memory, 0, MEM_RELEASE);
  CloseHandle(remote.process);
}

}  // namespace

std::wstring NewFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static int serial = 0;
  std::wstring folder = std::wstring(temp) + L"nevrolt-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                        std::to_wstring(++serial) + L"-" + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

std::wstring PathFromEnvironment(const wchar_t* variable) {
  std::wstring path = EnvironmentValue(variable);
  if (!path.empty() && path[0] == L'/') {
    for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
    path = L"Z:" + path;
  }
  return path;
}

Running StartNevrolt(const std::wstring& folder, const std::vector<std::wstring>& environment) {
  return StartNevroltBuild(L"NEVROLT_EXE", folder, environment);
}

Running StartNevroltBuild(const wchar_t* build, const std::wstring& folder,
                          const std::vector<std::wstring>& environment) {
  Running running;
  running.folder = folder;
  std::wstring exe = folder + L"\\Nevrolt.exe";
  CopyFileW(PathFromEnvironment(build).c_str(), exe.c_str(), FALSE);

  std::vector<std::pair<std::wstring, std::wstring>> saved;
  for (const std::wstring& setting : environment) {
    std::wstring name = setting.substr(0, setting.find(L'='));
    saved.push_back({name, EnvironmentValue(name.c_str())});
    SetEnvironmentVariableW(name.c_str(), setting.substr(name.size() + 1).c_str());
  }
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + exe + L"\"";
  CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                 &running.process);
  for (const auto& [name, value] : saved)
    SetEnvironmentVariableW(name.c_str(), value.empty() ? nullptr : value.c_str());
  return running;
}

DWORD WaitForExit(const Running& running, DWORD timeout) {
  WaitForSingleObject(running.process.hProcess, timeout);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(running.process.hProcess, &code);
  return code;
}

void Finish(Running& running) {
  if (!running.process.hProcess) return;
  if (WaitForSingleObject(running.process.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(running.process.hProcess, 99);
    WaitForSingleObject(running.process.hProcess, kPatience);
  }
  CloseHandle(running.process.hThread);
  CloseHandle(running.process.hProcess);
  running.process = {};
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeout) return false;
    Sleep(20);  // polling interval of the wait, not a fixed delay the test relies on
  }
  return true;
}

HWND WaitForTopWindow(DWORD processId, const wchar_t* className, DWORD timeout) {
  TopSearch search = {processId, className, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeout);
  return search.found;
}

HWND WaitForMainWindow(const Running& running) {
  return WaitForTopWindow(running.process.dwProcessId, L"NevroltMainWindow");
}

HWND WaitForMessageBox(const Running& running, DWORD timeout) {
  return WaitForTopWindow(running.process.dwProcessId, L"#32770", timeout);
}

std::wstring MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

void DismissMessageBox(HWND box) { PressMessageBoxButton(box, IDOK); }

void PressMessageBoxButton(HWND box, int id) { PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(id), 0); }

namespace {

struct ListBoxSearch {
  DWORD processId;
  std::vector<HWND> lists;
};

void NoteIfVisibleListBox(HWND window, ListBoxSearch& search) {
  if (IsWindowVisible(window) && _wcsicmp(ClassName(window).c_str(), L"ListBox") == 0) search.lists.push_back(window);
}

BOOL CALLBACK NoteChildListBox(HWND child, LPARAM search) {
  NoteIfVisibleListBox(child, *reinterpret_cast<ListBoxSearch*>(search));
  return TRUE;
}

BOOL CALLBACK NoteTopListBoxes(HWND window, LPARAM found) {
  auto* search = reinterpret_cast<ListBoxSearch*>(found);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  NoteIfVisibleListBox(window, *search);
  EnumChildWindows(window, NoteChildListBox, found);
  return TRUE;
}

}  // namespace

int VisibleListBoxCount(DWORD processId) {
  ListBoxSearch search = {processId, {}};
  EnumWindows(NoteTopListBoxes, reinterpret_cast<LPARAM>(&search));
  int count = 0;
  for (HWND list : search.lists) count += static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  return count;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024];
  int length = GetWindowTextW(window, text, 1024);
  return std::wstring(text, static_cast<size_t>(length > 0 ? length : 0));
}

std::wstring ClassName(HWND window) {
  wchar_t name[256];
  int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

RECT WindowRectangle(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

std::wstring TabCaption(HWND tabs, int index) {
  Remote remote = AllocateIn(tabs, sizeof(TCITEMW) + 512);
  auto* textInRemote = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.memory) + sizeof(TCITEMW));
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = textInRemote;
  item.cchTextMax = 255;
  WriteProcessMemory(remote.process, remote.memory, &item, sizeof item, nullptr);
  SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote.memory));
  wchar_t text[256] = {};
  ReadProcessMemory(remote.process, textInRemote, text, sizeof text - sizeof(wchar_t), nullptr);
  Release(remote);
  return text;
}

void ClickTab(HWND tabs, int index) {
  Remote remote = AllocateIn(tabs, sizeof(RECT));
  SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote.memory));
  RECT rect = {};
  ReadProcessMemory(remote.process, remote.memory, &rect, sizeof rect, nullptr);
  Release(remote);
  LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(tabs, WM_LBUTTONUP, 0, point);
}

void ClickButton(HWND window, HWND button) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char chunk[65536];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  CloseHandle(file);
  return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

std::wstring WideOfUtf8(const std::string& text) {
  if (text.empty()) return {};
  int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

Capture CaptureWindow(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  RECT rect = WindowRectangle(window);
  Capture capture;
  capture.width = rect.right - rect.left;
  capture.height = rect.bottom - rect.top;
  capture.pixels.resize(static_cast<size_t>(capture.width) * capture.height);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, capture.width, capture.height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const auto* source = static_cast<const unsigned*>(bits);
  for (size_t i = 0; i < capture.pixels.size(); ++i) capture.pixels[i] = source[i] & 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return capture;
}

bool WriteBitmapFile(const std::wstring& path, const Capture& capture) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = capture.width;
  header.biHeight = -capture.height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  DWORD imageSize = static_cast<DWORD>(capture.pixels.size() * sizeof(unsigned));
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + imageSize;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
  bytes.append(reinterpret_cast<const char*>(capture.pixels.data()), imageSize);
  return WriteWholeFile(path, bytes);
}
