// 保存设置, 检测网络参数 and the reset button through the real Nevrolt.exe under
// Wine. The prefix's netsh.exe is the recorder: it appends its command line and
// current directory to %NEVROLT_RECORD% and prints %NEVROLT_REPLY%.
#include <windows.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "tests/wine/driver.h"

namespace {

constexpr int kConnectionNameEdit = 111, kIpEdit = 112, kGatewayEdit = 113, kMaskEdit = 114, kDnsEdit = 115;
constexpr int kShowParamsButton = 117, kSaveButton = 118, kResetButton = 121;

const wchar_t kAddressLine[] =
    L"netsh interface ip set address \"以太网 2\" static 192.0.2.10 255.255.255.0 192.0.2.1 1";
const wchar_t kDnsLine[] = L"netsh interface ip set dns \"以太网 2\" static 192.0.2.53";

struct Recorded {
  std::wstring line;
  std::wstring directory;  // lower case
};

std::vector<Recorded> ReadRecords(const std::wstring& path) {
  std::vector<Recorded> records;
  std::wstring all = WideFromUtf8(ReadWholeFile(path));
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

bool Answers(HWND window, UINT timeout) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeout, &result) != 0;
}

class SettingsPage : public testing::Test {
 protected:
  // Starts Nevrolt in a new folder with the recorder's variables set (the reply
  // from a file holding `reply`, or from replyPath) and fills the five fields.
  HWND StartAndFill(const wchar_t* name, const std::string& reply, std::vector<std::wstring> environment = {},
                    std::wstring replyPath = L"") {
    folder = NewFolder(name);
    record = folder + L"\\record.txt";
    if (replyPath.empty()) {
      replyPath = folder + L"\\reply.txt";
      WriteWholeFile(replyPath, reply);
    }
    environment.push_back(L"NEVROLT_RECORD=" + record);
    environment.push_back(L"NEVROLT_REPLY=" + replyPath);
    running = StartNevrolt(folder, environment);
    HWND window = WaitForMainWindow(running);
    if (!window) return nullptr;
    const std::pair<int, const wchar_t*> fields[] = {{kConnectionNameEdit, L"以太网 2"},
                                                     {kIpEdit, L"192.0.2.10"},
                                                     {kGatewayEdit, L"192.0.2.1"},
                                                     {kMaskEdit, L"255.255.255.0"},
                                                     {kDnsEdit, L"192.0.2.53"}};
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

TEST_F(SettingsPage, SaveRunsTheAddressThenTheDnsCommandAndSaysNothingOnSuccess) {
  HWND window = StartAndFill(L"save", "确定。\r\n");
  ASSERT_NE(window, nullptr);
  ClickButton(window, GetDlgItem(window, kSaveButton));
  ASSERT_TRUE(WaitForRecords(2));
  ASSERT_TRUE(WaitUntil([&] { return ChildProcesses(running.process.dwProcessId).empty(); }));
  EXPECT_EQ(WaitForMessageBox(running, 1500), nullptr) << "a success shows nothing";
  ExpectBothCommandsFromTheSystemFolder(ReadRecords(record));
  EXPECT_TRUE(Answers(window, kPatience));
}

TEST_F(SettingsPage, AFailingReplyShowsNetshsOwnWordsAfterEachCommand) {
  HWND window = StartAndFill(L"fail", "命令失败：参数无效。\r\n");
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
  HWND window = StartAndFill(L"planted", "确定。\r\n", {L"NEVROLT_PLANT_MARKER=" + marker});
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
