// The real Nevrolt.exe under Wine: its window, pages and controls, closing, the
// administrator gate, the address check's consoles, planted files and locales.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/wine/driver.h"

namespace {

struct ExpectedControl {
  int page;
  int id;  // 0 for labels
  const wchar_t* className;
  const wchar_t* caption;
  int x, y, width, height;
  bool tabStop;
};

const wchar_t* const kPages[] = {L"网址检测", L"参数更改", L"重置网络", L"关于作者"};

const ExpectedControl kExpected[] = {
    {0, 0, L"Static", L"地址1", 0, 48, 72, 48, false},
    {0, 101, L"Edit", L"", 64, 56, 280, 32, true},
    {0, 0, L"Static", L"地址2", 0, 112, 72, 32, false},
    {0, 102, L"Edit", L"", 64, 112, 280, 32, true},
    {0, 0, L"Static", L"检测方式", 56, 168, 64, 24, false},
    {0, 103, L"Button", L"ping", 32, 200, 64, 24, true},
    {0, 104, L"Button", L"tracert", 96, 200, 64, 24, true},
    {0, 105, L"Button", L"按钮", 200, 168, 144, 56, true},
    {1, 0, L"Static", L"连接名称", 40, 32, 48, 24, false},
    {1, 111, L"Edit", L"", 112, 32, 240, 24, true},
    {1, 0, L"Static", L"IP地址", 48, 64, 40, 24, false},
    {1, 112, L"Edit", L"", 112, 64, 240, 24, true},
    {1, 0, L"Static", L"网关", 40, 96, 56, 24, false},
    {1, 113, L"Edit", L"", 112, 96, 240, 24, true},
    {1, 0, L"Static", L"子网掩码", 40, 128, 56, 24, false},
    {1, 114, L"Edit", L"", 112, 128, 240, 24, true},
    {1, 0, L"Static", L"DNS地址", 40, 160, 48, 32, false},
    {1, 115, L"Edit", L"", 112, 160, 240, 24, true},
    {1, 116, L"Button", L"检测联网状况", 16, 208, 96, 40, true},
    {1, 117, L"Button", L"检测网络参数", 128, 208, 112, 40, true},
    {1, 118, L"Button", L"保存设置", 256, 208, 112, 40, true},
    {2, 0, L"Static", L"点击重置网络", 24, 64, 328, 40, false},
    {2, 121, L"Button", L"按钮", 80, 144, 232, 72, true},
    {3, 0, L"Static", L"2019/6/24 第一版", 88, 120, 200, 40, false},
};

// Children of the main window other than the tab control, in creation order.
std::vector<HWND> PageControls(HWND window) {
  std::vector<HWND> controls;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) != 100) controls.push_back(child);
  }
  return controls;
}

// Matches each expected control to a real one: by identifier, or for labels by caption and position.
HWND FindExpected(HWND window, HWND tabs, const ExpectedControl& expected) {
  if (expected.id != 0) return GetDlgItem(window, expected.id);
  RECT origin = WindowRectangle(tabs);
  for (HWND child : PageControls(window)) {
    RECT rect = WindowRectangle(child);
    if (GetDlgCtrlID(child) == 0 && WindowText(child) == expected.caption && rect.left - origin.left == expected.x &&
        rect.top - origin.top == expected.y) {
      return child;
    }
  }
  return nullptr;
}

class NevroltWindow : public testing::Test {
 protected:
  void TearDown() override { Finish(running); }
  Running running;
};

TEST_F(NevroltWindow, OpensCentredWithEveryPageAndControl) {
  running = StartNevrolt(NewFolder(L"layout"));
  HWND window = WaitForMainWindow(running);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetACP(), 936u) << "the default test locale is Chinese";

  EXPECT_EQ(WindowText(window), L"Nevrolt");
  RECT outer = WindowRectangle(window);
  EXPECT_EQ(outer.right - outer.left, 402);
  EXPECT_EQ(outer.bottom - outer.top, 290);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 402) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 290) / 2);
  LONG style = GetWindowLongW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));

  HWND tabs = GetDlgItem(window, 100);
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(ClassName(tabs), L"SysTabControl32");
  POINT tabsOrigin = {0, 0};
  MapWindowPoints(tabs, window, &tabsOrigin, 1);
  EXPECT_EQ(tabsOrigin.x, 0);
  EXPECT_EQ(tabsOrigin.y, 0);
  RECT tabsRect = WindowRectangle(tabs);
  EXPECT_EQ(tabsRect.right - tabsRect.left, 400);
  EXPECT_EQ(tabsRect.bottom - tabsRect.top, 264);
  EXPECT_FALSE(GetWindowLongW(tabs, GWL_STYLE) & WS_TABSTOP);
  ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 4);
  for (int page = 0; page < 4; ++page) EXPECT_EQ(TabCaption(tabs, page), kPages[page]);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(PageControls(window).size(), std::size(kExpected));

  std::vector<HWND> found;
  for (const ExpectedControl& expected : kExpected) {
    SCOPED_TRACE(testing::Message() << "control " << expected.id << " at " << expected.x << "," << expected.y);
    HWND control = FindExpected(window, tabs, expected);
    found.push_back(control);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClassName(control), expected.className);
    EXPECT_EQ(WindowText(control), expected.caption);
    RECT rect = WindowRectangle(control);
    EXPECT_EQ(rect.left - tabsRect.left, expected.x);
    EXPECT_EQ(rect.top - tabsRect.top, expected.y);
    EXPECT_EQ(rect.right - rect.left, expected.width);
    EXPECT_EQ(rect.bottom - rect.top, expected.height);
    EXPECT_EQ((GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0, expected.tabStop);
    EXPECT_TRUE(IsWindowEnabled(control));
  }

  for (int page : {0, 1, 2, 3, 0}) {
    if (page != 0 || SendMessageW(tabs, TCM_GETCURSEL, 0, 0) != 0) ClickTab(tabs, page);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), page);
    for (size_t i = 0; i < std::size(kExpected); ++i) {
      EXPECT_EQ(IsWindowVisible(found[i]) != FALSE, kExpected[i].page == page)
          << "page " << page << ", control " << kExpected[i].id << " at " << kExpected[i].x << "," << kExpected[i].y;
    }
  }
}

TEST_F(NevroltWindow, EscInAnEditBoxClosesTheWindowAndExitsWithZero) {
  running = StartNevrolt(NewFolder(L"esc"));
  HWND window = WaitForMainWindow(running);
  ASSERT_NE(window, nullptr);
  PostMessageW(GetDlgItem(window, 101), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(WaitForExit(running), 0u);
}

TEST_F(NevroltWindow, RefusedAdministratorCheckShowsOnlyTheMessageAndExitsWithZero) {
  // Runs with WINEDLLOVERRIDES=advpack=n and NEVROLT_FAKE_ADMIN=0: the system
  // folder's advpack.dll is the test prefix's, whose IsNTAdmin refuses.
  running = StartNevrolt(NewFolder(L"refused"));
  HWND box = WaitForMessageBox(running);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"请以管理员模式运行");
  EXPECT_EQ(WindowText(box), L"信息：");
  EXPECT_EQ(WaitForTopWindow(running.process.dwProcessId, L"NevroltMainWindow", 0), nullptr);
  DismissMessageBox(box);
  EXPECT_EQ(WaitForExit(running), 0u);
}

TEST_F(NevroltWindow, MissingAdvpackNamesLibraryAndFunctionAndExitsWithMinusOne) {
  // Runs with WINEDLLOVERRIDES=advpack=d: the library cannot be loaded at all.
  running = StartNevrolt(NewFolder(L"no-advpack"));
  HWND box = WaitForMessageBox(running);
  ASSERT_NE(box, nullptr);
  std::wstring text = MessageBoxText(box);
  EXPECT_NE(text.find(L"advpack.dll"), std::wstring::npos) << "message names the library";
  EXPECT_NE(text.find(L"IsNTAdmin"), std::wstring::npos) << "message names the function";
  EXPECT_EQ(WaitForTopWindow(running.process.dwProcessId, L"NevroltMainWindow", 0), nullptr);
  DismissMessageBox(box);
  EXPECT_EQ(WaitForExit(running), static_cast<DWORD>(-1));
}

// Types an address, ticks ping and clicks the button; returns what the ping
// stand-in recorded (command line, tab, current directory).
std::string PingThroughTheWindow(Running& running, const std::wstring& folder, const std::vector<std::wstring>& env) {
  std::wstring record = folder + L"\\record.txt";
  std::vector<std::wstring> environment = env;
  environment.push_back(L"NEVROLT_RECORD=" + record);
  running = StartNevrolt(folder, environment);
  HWND window = WaitForMainWindow(running);
  if (!window) return "no window";
  SendMessageW(GetDlgItem(window, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"192.0.2.7"));
  SendMessageW(GetDlgItem(window, 103), BM_SETCHECK, BST_CHECKED, 0);
  ClickButton(window, GetDlgItem(window, 105));
  WaitUntil([&] { return ReadWholeFile(record).find('\n') != std::string::npos; });
  return ReadWholeFile(record);
}

std::string Lower(std::string text) {
  for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return text;
}

TEST_F(NevroltWindow, CheckButtonStartsAConsoleWhosePingGetsTheAddress) {
  std::string recorded = PingThroughTheWindow(running, NewFolder(L"ping"), {});
  EXPECT_EQ(recorded.substr(0, recorded.find('\t')), "ping 192.0.2.7");
  EXPECT_NE(Lower(recorded).find("\tc:\\windows\\system32"), std::string::npos) << recorded;
}

TEST_F(NevroltWindow, PlantedCmdPingAndAdvpackBesideTheProgramNeverRun) {
  std::wstring folder = NewFolder(L"planted");
  std::wstring marker = folder + L"\\planted-ran.txt";
  std::wstring planted = PathFromEnvironment(L"NEVROLT_PLANTED_PROGRAM");
  ASSERT_TRUE(CopyFileW(planted.c_str(), (folder + L"\\cmd.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(planted.c_str(), (folder + L"\\ping.exe").c_str(), FALSE));
  ASSERT_TRUE(
      CopyFileW(PathFromEnvironment(L"NEVROLT_PLANTED_LIBRARY").c_str(), (folder + L"\\advpack.dll").c_str(), FALSE));

  // Runs with WINEDLLOVERRIDES=advpack=n,b, under which a native advpack.dll
  // file is preferred: LoadLibraryA("advpack.dll") would take the planted one.
  SetEnvironmentVariableW(L"NEVROLT_FAKE_ADMIN", L"0");
  HMODULE systemAdvpack = LoadLibraryExW(L"advpack.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  auto isNTAdmin = reinterpret_cast<BOOL(WINAPI*)(DWORD, DWORD*)>(
      reinterpret_cast<void*>(GetProcAddress(systemAdvpack, "IsNTAdmin")));
  DWORD reserved = 0;
  ASSERT_TRUE(isNTAdmin && !isNTAdmin(0, &reserved)) << "this pass must prefer native advpack.dll files";
  SetEnvironmentVariableW(L"NEVROLT_FAKE_ADMIN", nullptr);

  std::string recorded = PingThroughTheWindow(running, folder, {L"NEVROLT_PLANT_MARKER=" + marker});
  EXPECT_EQ(recorded.substr(0, recorded.find('\t')), "ping 192.0.2.7");
  EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES)
      << "a planted file ran: " << ReadWholeFile(marker);
}

// Runs with WINEDLLOVERRIDES=comctl32=n,b, under which a comctl32.dll file
// beside a program that imports comctl32 is loaded in place of the system's.
TEST_F(NevroltWindow, PlantedComctl32BesideTheProgramNeverLoads) {
  std::wstring folder = NewFolder(L"planted-comctl32");
  std::wstring marker = folder + L"\\planted-ran.txt";
  ASSERT_TRUE(
      CopyFileW(PathFromEnvironment(L"NEVROLT_PLANTED_LIBRARY").c_str(), (folder + L"\\comctl32.dll").c_str(), FALSE));

  // The control: a program that imports comctl32, in the same folder, takes the planted file.
  std::wstring importer = folder + L"\\importer.exe";
  ASSERT_TRUE(CopyFileW(PathFromEnvironment(L"NEVROLT_COMCTL32_IMPORTER").c_str(), importer.c_str(), FALSE));
  std::wstring importerMarker = folder + L"\\importer-took-it.txt";
  SetEnvironmentVariableW(L"NEVROLT_PLANT_MARKER", importerMarker.c_str());
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::wstring commandLine = L"\"" + importer + L"\"";
  BOOL started = CreateProcessW(importer.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                folder.c_str(), &startup, &process);
  SetEnvironmentVariableW(L"NEVROLT_PLANT_MARKER", nullptr);
  ASSERT_TRUE(started);
  WaitForSingleObject(process.hProcess, kPatience);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_NE(GetFileAttributesW(importerMarker.c_str()), INVALID_FILE_ATTRIBUTES)
      << "this pass must prefer a comctl32.dll file beside the program";

  running = StartNevrolt(folder, {L"NEVROLT_PLANT_MARKER=" + marker});
  HWND window = WaitForMainWindow(running);
  ASSERT_NE(window, nullptr);
  HWND tabs = GetDlgItem(window, 100);
  EXPECT_EQ(ClassName(tabs), L"SysTabControl32");
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 4) << "the system's comctl32 made the tab control";
  EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "the planted comctl32.dll ran";
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(running), 0u);
}

// Runs under an English locale (ANSI code page 1252): the Chinese texts must
// still reach the screen intact.
TEST_F(NevroltWindow, ChineseTextsSurviveASingleByteCodePage) {
  ASSERT_EQ(GetACP(), 1252u) << "this pass runs under an English locale";
  running = StartNevrolt(NewFolder(L"locale"));
  HWND window = WaitForMainWindow(running);
  ASSERT_NE(window, nullptr);
  HWND tabs = GetDlgItem(window, 100);
  EXPECT_EQ(TabCaption(tabs, 1), L"参数更改");
  EXPECT_EQ(WindowText(GetDlgItem(window, 105)), L"按钮");
  EXPECT_NE(FindExpected(window, tabs, kExpected[0]), nullptr) << "label 地址1";
  ClickButton(window, GetDlgItem(window, 105));
  HWND box = WaitForMessageBox(running);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"请至少输入一个要检测的地址！！！");
  EXPECT_EQ(WindowText(box), L"信息：");
  DismissMessageBox(box);
}

}  // namespace
