// The hidden runner and the message-pumping wait, linked in and run under Wine
// with the real cmd.exe and a child of our own (emitter.exe beside this program).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "exec/pump_wait.h"
#include "exec/pump_wait_win.h"
#include "exec/run_hidden.h"
#include "tests/wine/driver.h"
#include "tests/wine/emitter.h"
#include "tests/wine/stopwatch.h"

namespace {

constexpr UINT kStamp = WM_APP + 1;   // lParam: the poster's tick; the window proc records the delay
constexpr UINT kNested = WM_APP + 2;  // runs a nested RunHidden
constexpr UINT kCloseTimer = WM_APP + 3;

struct Log {
  std::vector<double> delays;
  std::vector<std::string> events;
  HANDLE go = nullptr;
  HANDLE timerToClose = nullptr;
} logged;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kStamp:
      logged.delays.push_back(Milliseconds() - static_cast<double>(lParam) / 1000.0);
      return 0;
    case kNested: {
      logged.events.push_back("nested start");
      std::string output = RunHidden("echo nested");
      logged.events.push_back("nested end: " + output);
      SetEvent(logged.go);
      return 0;
    }
    case kCloseTimer:
      CloseHandle(logged.timerToClose);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND TestWindow() {
  static HWND window = [] {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"NevroltExecTest";
    RegisterClassW(&windowClass);
    return CreateWindowW(L"NevroltExecTest", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
  }();
  return window;
}

LPARAM Stamp() { return static_cast<LPARAM>(Milliseconds() * 1000.0); }

std::string Emitter() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string self(path, length);
  return self.substr(0, self.find_last_of('\\') + 1) + "emitter.exe";
}

double ThreadCpuMilliseconds() {
  FILETIME creation, exit, kernel, user;
  GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
  auto value = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(value(kernel) + value(user)) / 10000.0;
}

// Two named events for "emitter hold": the child sets the first when it runs and
// waits for the second before it prints and ends.
struct Hold {
  std::string startName, goName;
  HANDLE started, go;
};

Hold MakeHold(const char* tag) {
  std::string base = "nevrolt-" + std::to_string(GetCurrentProcessId()) + "-" + tag;
  Hold hold = {base + "-started", base + "-go", nullptr, nullptr};
  hold.started = CreateEventA(nullptr, TRUE, FALSE, hold.startName.c_str());
  hold.go = CreateEventA(nullptr, TRUE, FALSE, hold.goName.c_str());
  return hold;
}

void Drain() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  logged = Log();
}

TEST(RunHidden, ReturnsTheCommandsOutputThroughTheSystemCmd) {
  EXPECT_EQ(RunHidden("echo hello"), "hello\r\n");
  EXPECT_EQ(RunHidden("rem prints nothing"), "");
  // The child runs in the system folder, whatever the caller's current directory.
  std::string folder = RunHidden("cd");
  std::transform(folder.begin(), folder.end(), folder.begin(), [](char c) { return static_cast<char>(tolower(c)); });
  EXPECT_EQ(folder.substr(0, folder.find("\r\n")).rfind("c:\\windows\\sys", 0), 0u) << folder;
}

TEST(RunHidden, OutputFarLargerThanThePipeArrivesWholeAndInOrder) {
  constexpr unsigned long long kSize = 6ull << 20;
  std::string output = RunHidden(Emitter() + " bytes " + std::to_string(kSize));
  ASSERT_EQ(output.size(), kSize);
  EXPECT_TRUE(output == EmitterPattern(kSize)) << "the bytes differ from what the child wrote";
}

TEST(RunHidden, StandardOutputAndStandardErrorInOneTextInOrder) {
  EXPECT_EQ(RunHidden(Emitter() + " streams"), "out1\nerr1\nout2\n");
}

TEST(RunHidden, ANulCutsOnlyTheRestOfItsChunk) { EXPECT_EQ(RunHidden(Emitter() + " nul"), "abcghi"); }

struct ThreadRun {
  std::string line;
  std::string output;
  ChildExit exit;
};

DWORD WINAPI RunHiddenOnThread(void* parameter) {
  auto* run = static_cast<ThreadRun*>(parameter);
  run->output = RunHidden(run->line, &run->exit);
  return 0;
}

// 259 is STILL_ACTIVE, which any program may return as its exit code: the run
// must still end when the child has (cmd's own "exit" sets the code: it does not
// pass on a program's). The run goes on a thread of its own so that a runner
// that never ends fails the test instead of hanging it.
TEST(RunHidden, EndsWhenTheChildHasEndedWhateverItsExitCode) {
  for (const char* code : {"0", "1", "259"}) {
    SCOPED_TRACE(code);
    // Freed only once the run has returned: a runner that never ends still holds it.
    auto* run = new ThreadRun{std::string("echo ending& exit ") + code, {}, {}};
    HANDLE thread = CreateThread(nullptr, 0, RunHiddenOnThread, run, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, kPatience), WAIT_OBJECT_0) << "RunHidden did not return";
    CloseHandle(thread);
    EXPECT_EQ(run->output, "ending\r\n");
    EXPECT_TRUE(run->exit.started);
    EXPECT_EQ(run->exit.code, std::stoul(code)) << "the interpreter's exit code is reported";
    delete run;
  }
}

TEST(RunHidden, AnUnstartableLineReturnsEmptyWithoutPumpingOrWaiting) {
  Drain();
  HWND window = TestWindow();
  PostMessageW(window, kStamp, 0, Stamp());
  // Longer than any process command line may be: CreateProcessA refuses it.
  ChildExit exit = {true, 7};
  EXPECT_EQ(RunHidden(std::string(40000, 'x'), &exit), "");
  EXPECT_FALSE(exit.started);
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, window, kStamp, kStamp, PM_REMOVE)) << "the posted message was dispatched";
  EXPECT_TRUE(logged.delays.empty());
}

TEST(RunHidden, MessagesPostedDuringARunAreDispatchedWithinTensOfMilliseconds) {
  Drain();
  HWND window = TestWindow();
  Hold hold = MakeHold("latency");
  constexpr int kPosts = 40;
  std::thread poster([&] {
    WaitForSingleObject(hold.started, kPatience);
    for (int i = 0; i < kPosts; ++i) {
      PostMessageW(window, kStamp, 0, Stamp());
      Sleep(15);  // spacing between posts
    }
    SetEvent(hold.go);
  });
  std::string output = RunHidden(Emitter() + " hold " + hold.startName + " " + hold.goName);
  poster.join();
  EXPECT_EQ(output, "held");
  ASSERT_EQ(logged.delays.size(), static_cast<size_t>(kPosts)) << "every post was dispatched during the run";
  std::vector<double> delays = logged.delays;
  std::sort(delays.begin(), delays.end());
  // Bounds wide enough for a loaded machine; a runner that did not pump would
  // hold every message until the child ended. The figures are in the benchmark.
  EXPECT_LT(delays[delays.size() / 2], 50.0) << "median delay, ms";
  EXPECT_LT(delays.back(), 1000.0) << "longest delay, ms";
  CloseHandle(hold.started);
  CloseHandle(hold.go);
}

TEST(RunHidden, ANestedRunCompletesBeforeTheOuterResumes) {
  Drain();
  HWND window = TestWindow();
  Hold hold = MakeHold("nested");
  logged.go = hold.go;  // set by the nested handler once its run is over
  std::thread poster([&] {
    WaitForSingleObject(hold.started, kPatience);
    PostMessageW(window, kNested, 0, 0);
  });
  std::string outer = RunHidden(Emitter() + " hold " + hold.startName + " " + hold.goName);
  logged.events.push_back("outer end: " + outer);
  poster.join();
  EXPECT_EQ(logged.events, (std::vector<std::string>{"nested start", "nested end: nested\r\n", "outer end: held"}));
  CloseHandle(hold.started);
  CloseHandle(hold.go);
}

TEST(PumpWait, DispatchesABurstAndStillEndsAtTheDueTime) {
  Drain();
  HWND window = TestWindow();
  constexpr int kBurst = 200;
  HANDLE waiting = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread poster([&] {
    WaitForSingleObject(waiting, kPatience);
    for (int i = 0; i < kBurst; ++i) PostMessageW(window, kStamp, 0, Stamp());
  });
  SetEvent(waiting);
  double start = Milliseconds();
  EXPECT_TRUE(PumpWait(1, 1));  // one second
  double elapsed = Milliseconds() - start;
  poster.join();
  EXPECT_EQ(logged.delays.size(), static_cast<size_t>(kBurst));
  EXPECT_GE(elapsed, 990.0) << "dispatching does not end the wait early";
  EXPECT_LT(elapsed, 5000.0);
  start = Milliseconds();
  EXPECT_TRUE(PumpWait(1));
  EXPECT_LT(Milliseconds() - start, 1000.0);
  CloseHandle(waiting);
}

// Without a usable timer, or when the wait fails, the wait lasts its due time,
// still dispatches, and sleeps rather than spins.
TEST(PumpWait, BrokenTimerFallsBackToABoundedWaitThatDispatches) {
  enum Broken { kNoTimer, kNotATimer, kClosedDuringWait };
  for (Broken broken : {kNoTimer, kNotATimer, kClosedDuringWait}) {
    SCOPED_TRACE(broken);
    Drain();
    HWND window = TestWindow();
    HANDLE timer = nullptr;
    if (broken == kNotATimer) timer = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (broken == kClosedDuringWait) {
      timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
      logged.timerToClose = timer;
      PostMessageW(window, kCloseTimer, 0, 0);
    }
    PostMessageW(window, kStamp, 0, Stamp());
    double cpuBefore = ThreadCpuMilliseconds();
    double start = Milliseconds();
    WaitOnTimer(timer, PumpWaitDueTime(600));
    double elapsed = Milliseconds() - start;
    double cpu = ThreadCpuMilliseconds() - cpuBefore;
    EXPECT_GE(elapsed, 595.0);
    EXPECT_LT(elapsed, 5000.0);
    EXPECT_LT(cpu, 150.0) << "CPU time over a 600 ms wait, ms";
    EXPECT_EQ(logged.delays.size(), 1u) << "the posted message was dispatched";
    if (broken == kNotATimer) CloseHandle(timer);
  }
}

}  // namespace
