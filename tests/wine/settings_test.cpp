// 保存设置, 检测网络参数 and the reset button through Nevrolt.exe under Wine. The
// prefix's netsh.exe is the recorder: it appends its command line and current
// directory to %NEVROLT_RECORD%, prints %NEVROLT_REPLY% and exits with
// %NEVROLT_EXIT%. Most tests run the test build that sees the connections
// NEVROLT_CONNECTIONS lists; one runs the real program on Wine's own adapters.
#include <windows.h>
#include <winsock2.h>
#include <gtest/gtest.h>
#include <iphlpapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/wine/driver.h"

namespace {

constexpr int kConnectionNameEdit = 111, kIpEdit = 112, kGatewayEdit = 113, kMaskEdit = 114, kDnsEdit = 115;
constexpr int kShowParamsButton = 117, kSaveButton = 118, kResetButton = 121;

const wchar_t kAddressLine[] =
    L"netsh interface ip set address \"以太网 2\" static 192.0.2.10 255.255.255.0 192.0.2.1 1";
const wchar_t kDnsLine[] = L"netsh interface ip set dns \"以太网 2\" static 192.0.2.53";
const wchar_t kConnections[] = L"NEVROLT_CONNECTIONS=以太网|以太网 2|WLAN";

struct Recorded {
  std::wstring line;
  std::wstring directory;  // lower case
};

std::vector<Recorded> ReadRecords(const std::wstring& path) {
  std::vector<Recorded> records;
  std::wstring all = WideOfUtf8(ReadWholeFile(path));
  for (size_t at = 0, end; (end = all.find(L'\n', at)) != std::wstring::npos; at = end + 1) {
    std::wstring row = all.substr(at, end - at);
    size_t tab = row.find(L'\t');
    std::wstring directory = row.substr(tab + 1);
    for (wchar_t& c : directory) c = static_cast<wchar_t>(towlower(c));
    records.push_back({row.substr(0, tab), directory});
  }
  return records;
}

std::vector<DWORD> ChildProcesses(DWORD parent) {
  std::vector<DWORD> children;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ParentProcessID == parent) children.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return children;
}

void EndChildren(DWORD parent) {
  for (DWORD child : ChildProcesses(parent)) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, child);
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kPatience);
    CloseHandle(process);
  }
}

double ProcessCpuMilliseconds(HANDLE process) {
  FILETIME creation, exit, kernel, user;
  GetProcessTimes(process, &creation, &exit, &kernel, &user);
  auto value = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(value(kernel) + value(user)) / 10000.0;
}

// An edit box's text as the box holds it now: GetWindowText across processes
// gives only the text it was created with.
std::wstring EditText(HWND edit) {
  wchar_t text[256] = {};
  LRESULT length = SendMessageW(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return std::wstring(text, static_cast<size_t>(length > 0 ? length : 0));
}

bool Answers(HWND window, UINT timeout) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeout, &result) != 0;
}

class SettingsPage : public testing::Test {
 protected:
  // Starts Nevrolt in a new folder with the recorder's variables set (the reply
  // from a file holding `reply`, or from replyPath) and fills the five fields.
  HWND StartAndFill(const wchar_t* name, const std::string& reply, std::vector<std::wstring> environment = {},
                    std::wstring replyPath = L"", const wchar_t* dns = L"192.0.2.53") {
    folder = NewFolder(name);
    record = folder + L"\\record.txt";
    if (replyPath.empty()) {
      replyPath = folder + L"\\reply.txt";
      WriteWholeFile(replyPath, reply);
    }
    environment.push_back(L"NEVROLT_RECORD=" + record);
    environment.push_back(L"NEVROLT_REPLY=" + replyPath);
    environment.push_back(kConnections);
    running = StartNevroltBuild(L"NEVROLT_LISTED_EXE", folder, environment);
    HWND window = WaitForMainWindow(running);
    if (!window) return nullptr;
    const std::pair<int, const wchar_t*> fields[] = {{kConnectionNameEdit, L"以太网 2"},
                                                     {kIpEdit, L"192.0.2.10"},
                                                     {kGatewayEdit, L"192.0.2.1"},
                                                     {kMaskEdit, L"255.255.255.0"},
                                                     {kDnsEdit, dns}};
    for (const auto& [id, text] : fields) {
      SendMessageW(GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    return window;
  }
  bool WaitForRecords(size_t count) {
    return WaitUntil([&] { return ReadRecords(record).size() >= count; });
  }
  void TearDown() override {
    if (running.process.hProcess) EndChildren(running.process.dwProcessId);
    Finish(running);
  }
  Running running;
  std::wstring folder;
  std::wstring record;
};

void ExpectBothCommandsFromTheSystemFolder(const std::vector<Recorded>& records) {
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].line, kAddressLine);
  EXPECT_EQ(records[1].line, kDnsLine);
  for (const Recorded& r : records) EXPECT_EQ(r.directory, L"c:\\windows\\system32") << r.line;
}

// netsh since Vista prints an empty line on success and exits 0.
TEST_F(SettingsPage, SaveRunsTheAddressThenTheDnsCommandAndSaysSoOnSuccess) {
  HWND window = StartAndFill(L"save", "\r\n", {L"NEVROLT_EXIT=0"});
  ASSERT_NE(window, nullptr);
  ClickButton(window, GetDlgItem(window, kSaveButton));
  HWND box = WaitForMessageBox(running);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"设置已生效");
  ExpectBothCommandsFromTheSystemFolder(ReadRecords(record));
  DismissMessageBox(box);
  EXPECT_TRUE(Answers(window, kPatience));
}

TEST_F(SettingsPage, TwoDnsServersAreSetInOrder) {
  HWND window = StartAndFill(L"two-dns", "\r\n", {L"NEVROLT_EXIT=0"}, L"", L"192.0.2.53, 114.114.114.114");
  ASSERT_NE(window, nullptr);
  ClickButton(window, GetDlgItem(window, kSaveButton));
  HWND box = WaitForMessageBox(running);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"设置已生效");
  std::vector<Recorded> records = ReadRecords(record);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].line, kAddressLine);
  EXPECT_EQ(records[1].line, kDnsLine);
  EXPECT_EQ(records[2].line, L"netsh interface ip add dns \"以太网 2\" 114.114.114.114 index=2");
  DismissMessageBox(box);
}

// A failure that prints nothing is told by its exit code.
TEST_F(SettingsPage, ASilentFailureIsToldByNetshsExitCode) {
  HWND window = StartAndFill(L"silent", "", {L"NEVROLT_EXIT=1"});
  ASSERT_NE(window, nullptr);
  ClickButton(window, GetDlgItem(window, kSaveButton));
  for (const wchar_t* expected : {L"设置IP地址失败（netsh 返回 1）", L"设置DNS服务器失败（netsh 返回 1）"}) {
    HWND box = WaitForMessageBox(running);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), expected);
    DismissMessageBox(box);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  }
  EXPECT_EQ(WaitForMessageBox(running, 1500), nullptr) << "no success after failures";
}

TEST_F(SettingsPage, EmptyAddressFieldsAskForDhcpAndOnlyYesRunsIt) {
  for (bool yes : {false, true}) {
    SCOPED_TRACE(yes ? "yes" : "no");
    HWND window = StartAndFill(yes ? L"dhcp-yes" : L"dhcp-no", "\r\n", {L"NEVROLT_EXIT=0"});
    ASSERT_NE(window, nullptr);
    for (int id : {kIpEdit, kGatewayEdit, kMaskEdit, kDnsEdit}) SetWindowTextW(GetDlgItem(window, id), L"");
    ClickButton(window, GetDlgItem(window, kSaveButton));
    HWND question = WaitForMessageBox(running);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageBoxText(question), L"是否将网络连接“以太网 2”改为自动获取IP地址和DNS服务器（DHCP）？");
    EXPECT_NE(GetDlgItem(question, IDYES), nullptr);
    EXPECT_NE(GetDlgItem(question, IDNO), nullptr);
    PressMessageBoxButton(question, yes ? IDYES : IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
    if (yes) {
      HWND box = WaitForMessageBox(running);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(MessageBoxText(box), L"设置已生效");
      std::vector<Recorded> records = ReadRecords(record);
      ASSERT_EQ(records.size(), 2u);
      EXPECT_EQ(records[0].line, L"netsh interface ip set address \"以太网 2\" dhcp");
      EXPECT_EQ(records[1].line, L"netsh interface ip set dns \"以太网 2\" dhcp");
      DismissMessageBox(box);
    } else {
      EXPECT_TRUE(Answers(window, kPatience));
      EXPECT_TRUE(ReadRecords(record).empty()) << "No runs nothing";
    }
    TearDown();
    running = Running();
  }
}

TEST_F(SettingsPage, TheConnectionBoxSuggestsTheMachinesConnections) {
  HWND window = StartAndFill(L"suggest", "");
  ASSERT_NE(window, nullptr);
  HWND edit = GetDlgItem(window, kConnectionNameEdit);
  ClickTab(GetDlgItem(window, 100), 1);
  SetWindowTextW(edit, L"");
  SetForegroundWindow(window);
  SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
  PostMessageW(edit, WM_CHAR, L'以', 0);
  // The drop-down lists the two names that begin so, not WLAN; Down walks them
  // into the box in order.
  EXPECT_TRUE(WaitUntil([&] { return VisibleListBoxCount(running.process.dwProcessId) == 2; }))
      << "no drop-down with the two names appeared";
  for (const wchar_t* name : {L"以太网", L"以太网 2"}) {
    SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(WaitUntil([&] { return EditText(edit) == name; })) << EditText(edit);
  }
}

// The real program, on Wine's own adapters (named after the host's interfaces).
TEST_F(SettingsPage, ANameThatIsNoConnectionIsRefusedWithTheMachinesList) {
  std::vector<std::wstring> expected;
  ULONG size = 64 * 1024;
  std::vector<unsigned char> buffer(size);
  auto* adapters = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
  ASSERT_EQ(GetAdaptersAddresses(AF_INET, 0, nullptr, adapters, &size), static_cast<ULONG>(NO_ERROR));
  for (auto* adapter = adapters; adapter; adapter = adapter->Next) {
    if (adapter->IfType != IF_TYPE_SOFTWARE_LOOPBACK && adapter->IfType != IF_TYPE_TUNNEL) {
      expected.push_back(adapter->FriendlyName);
    }
  }
  if (expected.empty()) GTEST_SKIP() << "Wine sees no adapter here but loopback";
  std::wstring list;
  for (const std::wstring& name : expected) list += (list.empty() ? L"" : L"、") + name;

  folder = NewFolder(L"adapters");
  record = folder + L"\\record.txt";
  running = StartNevrolt(folder, {L"NEVROLT_RECORD=" + record});
  HWND window = WaitForMainWindow(running);
  ASSERT_NE(window, nullptr);
  const std::pair<int, const wchar_t*> fields[] = {{kConnectionNameEdit, L"不存在的连接"},
                                                   {kIpEdit, L"192.0.2.10"},
                                                   {kGatewayEdit, L"192.0.2.1"},
                                                   {kMaskEdit, L"255.255.255.0"},
                                                   {kDnsEdit, L"192.0.2.53"}};
  for (const auto& [id, text] : fields) SetWindowTextW(GetDlgItem(window, id), text);
  ClickButton(window, GetDlgItem(window, kSaveButton));
  HWND box = WaitForMessageBox(running);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"找不到网络连接“不存在的连接”。本机的网络连接：" + list);
  EXPECT_EQ(std::find(expected.begin(), expected.end(), L"lo"), expected.end()) << "loopback is left out";
  DismissMessageBox(box);
  EXPECT_TRUE(ReadRecords(record).empty()) << "nothing ran";
}

TEST_F(SettingsPage, AFailingReplyShowsNetshsOwnWordsAfterEachCommand) {
  HWND window = StartAndFill(L"fail", "命令失败：参数无效。\r\n", {L"NEVROLT_EXIT=1"});
  ASSERT_NE(window, nullptr);
  ClickButton(window, GetDlgItem(window, kSaveButton));
  HWND box = WaitForMessageBox(running);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"命令失败：参数无效。");
  EXPECT_EQ(WindowText(box), L"信息：");
  EXPECT_EQ(ReadRecords(record).size(), 1u) << "the DNS command waits for the box";
  DismissMessageBox(box);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  box = WaitForMessageBox(running);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"命令失败：参数无效。");
  ExpectBothCommandsFromTheSystemFolder(ReadRecords(record));
  DismissMessageBox(box);
}

// netsh is held by a reply that is a pipe of ours: the window is closed while
// the address command still runs.
TEST_F(SettingsPage, WindowClosedWhileNetshRunsEndsTheProgramWithoutGoingOn) {
  std::wstring pipeName = L"\\\\.\\pipe\\nevrolt-hold-" + std::to_wstring(GetCurrentProcessId());
  HANDLE pipe =
      CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  HWND window = StartAndFill(L"closed", "", {}, pipeName);
  ASSERT_NE(window, nullptr);
  ClickButton(window, GetDlgItem(window, kSaveButton));
  ASSERT_TRUE(WaitForRecords(1));
  ConnectNamedPipe(pipe, nullptr);  // the recorder now waits for its reply

  EXPECT_TRUE(Answers(window, 5000)) << "the window works while the command runs";
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
  EXPECT_EQ(WaitForExit(running, 0), static_cast<DWORD>(STILL_ACTIVE)) << "the runner still waits for netsh";
  double cpuBefore = ProcessCpuMilliseconds(running.process.hProcess);
  DWORD measureStart = GetTickCount();
  WaitForExit(running, 1000);  // an interval to measure over: the process must not end here
  double cpu = ProcessCpuMilliseconds(running.process.hProcess) - cpuBefore;
  DWORD interval = GetTickCount() - measureStart;
  EXPECT_LT(cpu, interval * 0.25) << "CPU ms over " << interval << " ms with the window gone: no spinning";

  std::string reply = "命令失败。\r\n";
  DWORD written = 0;
  WriteFile(pipe, reply.data(), static_cast<DWORD>(reply.size()), &written, nullptr);
  FlushFileBuffers(pipe);
  CloseHandle(pipe);
  EXPECT_EQ(WaitForExit(running), 0u);
  EXPECT_EQ(ReadRecords(record).size(), 1u) << "neither the error box nor the DNS command came after the close";
}

TEST_F(SettingsPage, PlantedCmdAndNetshBesideTheProgramNeverRun) {
  std::wstring planted = PathFromEnvironment(L"NEVROLT_PLANTED_PROGRAM");
  std::wstring marker = NewFolder(L"marker") + L"\\planted-ran.txt";
  HWND window = StartAndFill(L"planted", "\r\n", {L"NEVROLT_PLANT_MARKER=" + marker, L"NEVROLT_EXIT=0"});
  ASSERT_NE(window, nullptr);
  // Beside the program, under every name cmd could take for cmd or netsh.
  for (const wchar_t* name : {L"\\cmd.exe", L"\\netsh.exe", L"\\cmd.com", L"\\netsh.com", L"\\netsh.bat"}) {
    ASSERT_TRUE(CopyFileW(planted.c_str(), (folder + name).c_str(), FALSE)) << name;
  }
  ClickButton(window, GetDlgItem(window, kSaveButton));
  ASSERT_TRUE(WaitForRecords(2));
  ASSERT_TRUE(WaitUntil([&] { return ChildProcesses(running.process.dwProcessId).empty(); }));
  ExpectBothCommandsFromTheSystemFolder(ReadRecords(record));
  EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES)
      << "a planted file ran: " << ReadWholeFile(marker);
}

TEST_F(SettingsPage, ResetButtonOpensAConsoleRunningNetshWinsockReset) {
  HWND window = StartAndFill(L"reset", "");
  ASSERT_NE(window, nullptr);
  ClickButton(window, GetDlgItem(window, kResetButton));
  ASSERT_TRUE(WaitForRecords(1));
  std::vector<Recorded> records = ReadRecords(record);
  EXPECT_EQ(records[0].line, L"netsh winsock reset");
  EXPECT_EQ(records[0].directory, L"c:\\windows\\system32");
  EXPECT_TRUE(Answers(window, kPatience)) << "no wait for the console";
  EXPECT_EQ(ChildProcesses(running.process.dwProcessId).size(), 1u) << "cmd /k keeps its console open";
}

TEST_F(SettingsPage, ShowParamsFreezesTheWindowUntilItsConsoleIsClosed) {
  HWND window = StartAndFill(L"params", "");
  ASSERT_NE(window, nullptr);
  ClickButton(window, GetDlgItem(window, kShowParamsButton));
  ASSERT_TRUE(WaitUntil([&] { return !ChildProcesses(running.process.dwProcessId).empty(); }));
  EXPECT_FALSE(Answers(window, 1000)) << "the window waits for the console without dispatching";
  EndChildren(running.process.dwProcessId);
  EXPECT_TRUE(Answers(window, kPatience));
}

}  // namespace
