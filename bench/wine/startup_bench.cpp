// Start-up under Wine: the time from CreateProcess to the program's main window
// shown (a visible top-level window of its class, polled every millisecond), for
// Nevrolt.exe on a first start in a fresh folder, where it writes the skin library
// beside itself, and on a later start in the same folder, against bare_window.exe.
// Each round starts the three in turn, closing each window with WM_CLOSE and
// waiting for the exit; one round is run first and not counted. NEVROLT_EXE names
// the Nevrolt.exe to measure (bench_startup.sh sets it).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/wine/stopwatch.h"

namespace {

constexpr int kRounds = 9;
constexpr double kPatience = 30000.0;  // ms for a window to show or a program to end

struct Search {
  DWORD processId;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchShownWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64];
  if (owner == search->processId && IsWindowVisible(window) && GetClassNameW(window, name, 64) &&
      std::wstring(name) == search->className) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Starts `exe` in its folder and returns the milliseconds until its window of
// `className` shows, then closes the window and waits for the program to end.
// Negative, with the reason printed, when the window did not show or the
// program did not end.
double TimeToWindow(const std::wstring& exe, const wchar_t* className) {
  std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  double start = Milliseconds();
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process)) {
    std::printf("%ls: CreateProcess failed, error %lu\n", exe.c_str(), GetLastError());
    return -1.0;
  }
  Search search = {process.dwProcessId, className, nullptr};
  double elapsed = -1.0;
  for (;;) {
    EnumWindows(MatchShownWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      elapsed = Milliseconds() - start;
      break;
    }
    // Also the millisecond between two looks: a program that ends early ends the wait.
    if (WaitForSingleObject(process.hProcess, 1) != WAIT_TIMEOUT || Milliseconds() - start > kPatience) break;
  }
  if (!search.found) {
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    std::printf("%ls: no window of class %ls showed (exit code %lu)\n", exe.c_str(), className, code);
    TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, static_cast<DWORD>(kPatience));
  } else {
    PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(kPatience)) == WAIT_TIMEOUT) {
      std::printf("%ls: still running %.0f s after WM_CLOSE\n", exe.c_str(), kPatience / 1000.0);
      TerminateProcess(process.hProcess, 99);
      WaitForSingleObject(process.hProcess, static_cast<DWORD>(kPatience));
      elapsed = -1.0;
    }
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

// A path from the environment; a Unix path is reached through drive Z:.
std::wstring PathFromEnvironment(const wchar_t* name) {
  wchar_t value[MAX_PATH];
  DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  std::wstring path = length && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
  if (!path.empty() && path[0] == L'/') {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    path = L"Z:" + path;
  }
  return path;
}

std::wstring Beside(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring self(path, length);
  return self.substr(0, self.find_last_of(L'\\') + 1) + name;
}

// Removes a folder with the files in it (the skin library is written hidden).
void RemoveFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring path = folder + L"\\" + found.cFileName;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

struct Figures {
  double median, low, high;
};

Figures Summary(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {values[values.size() / 2], values.front(), values.back()};
}

}  // namespace

int main() {
  std::wstring nevrolt = PathFromEnvironment(L"NEVROLT_EXE");
  if (nevrolt.empty() || GetFileAttributesW(nevrolt.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::printf("NEVROLT_EXE does not name Nevrolt.exe (bench_startup.sh sets it)\n");
    return 1;
  }
  std::wstring bare = Beside(L"bare_window.exe");
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring base = std::wstring(temp) + L"nevrolt-startup-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(base.c_str(), nullptr);

  std::vector<double> bareTimes, firstTimes, laterTimes;
  for (int round = 0; round <= kRounds; ++round) {
    std::wstring folder = base + L"\\" + std::to_wstring(round);
    std::wstring exe = folder + L"\\Nevrolt.exe";
    CreateDirectoryW(folder.c_str(), nullptr);
    CopyFileW(nevrolt.c_str(), exe.c_str(), FALSE);
    double bareTime = TimeToWindow(bare, L"NevroltBareWindow");
    double firstTime = TimeToWindow(exe, L"NevroltMainWindow");
    double laterTime = TimeToWindow(exe, L"NevroltMainWindow");
    RemoveFolder(folder);
    if (bareTime < 0 || firstTime < 0 || laterTime < 0) {
      std::printf("start-up benchmark stopped in round %d\n", round);
      RemoveDirectoryW(base.c_str());
      return 1;
    }
    if (round == 0) continue;  // the round that warms the session up
    bareTimes.push_back(bareTime);
    firstTimes.push_back(firstTime);
    laterTimes.push_back(laterTime);
  }
  RemoveDirectoryW(base.c_str());

  Figures bareFigures = Summary(bareTimes), first = Summary(firstTimes), later = Summary(laterTimes);
  double laterRatio = later.median / bareFigures.median;
  double firstRatio = first.median / bareFigures.median;
  std::printf(
      "Start-up, CreateProcess to main window shown (medians of %d, min-max):\n"
      "  bare window:                          %.0f ms (%.0f-%.0f)\n"
      "  Nevrolt.exe, later start:             %.0f ms (%.0f-%.0f), ratio %.2f, goal <= 1.2: %s\n"
      "  Nevrolt.exe, first start in a folder: %.0f ms (%.0f-%.0f), ratio %.2f (no goal)\n",
      kRounds, bareFigures.median, bareFigures.low, bareFigures.high, later.median, later.low, later.high, laterRatio,
      laterRatio <= 1.2 ? "met" : "missed", first.median, first.low, first.high, firstRatio);
  return 0;
}
