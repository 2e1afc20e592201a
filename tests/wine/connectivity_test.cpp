// 检测联网状况 in a test build of Nevrolt.exe whose probe is aimed at the
// loopback server of with-http-server.sh: the answer, and the requests the
// server saw.
#include <gtest/gtest.h>

#include "tests/wine/driver.h"

namespace {

std::wstring Environment(const wchar_t* name) {
  wchar_t value[256];
  DWORD length = GetEnvironmentVariableW(name, value, 256);
  return length && length < 256 ? std::wstring(value, length) : std::wstring();
}

std::wstring Loopback(const wchar_t* portVariable) { return L"http://127.0.0.1:" + Environment(portVariable); }

// How many request lines in the server's log hold the text.
int RequestsWith(const std::string& text) {
  const std::string log = ReadWholeFile(PathFromEnvironment(L"NEVROLT_HTTP_LOG"));
  int count = 0;
  for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
  return count;
}

class Connectivity : public testing::Test {
 protected:
  void SetUp() override {
    // StartNevrolt starts the program NEVROLT_EXE names: here the test build.
    SetEnvironmentVariableW(L"NEVROLT_EXE", Environment(L"NEVROLT_PROBE_EXE").c_str());
  }
  void TearDown() override { Finish(running); }

  // Clicks 检测联网状况 with the probe aimed at reach and page, and returns the
  // text of the message box that answers.
  std::wstring Click(const std::wstring& folder, const std::wstring& reach, const std::wstring& page,
                     std::vector<std::wstring> environment = {}) {
    environment.push_back(L"NEVROLT_PROBE_REACH=" + reach);
    environment.push_back(L"NEVROLT_PROBE_PAGE=" + page);
    running = StartNevrolt(folder, environment);
    HWND window = WaitForMainWindow(running);
    if (!window) return L"(no window)";
    ClickButton(window, GetDlgItem(window, 116));
    HWND box = WaitForMessageBox(running);
    if (!box) return L"(no message)";
    std::wstring text = MessageBoxText(box);
    EXPECT_EQ(WindowText(box), L"信息：");
    return text;
  }

  Running running;
};

TEST_F(Connectivity, MarkerOnThePageIsOnlineAfterOneProbe) {
  std::wstring server = Loopback(L"NEVROLT_HTTP_PORT");
  EXPECT_EQ(Click(NewFolder(L"online"), server, server + L"/marker?t=present"), L"已联网");
  EXPECT_EQ(RequestsWith("GET /marker?t=present HTTP/1.1"), 1);
}

TEST_F(Connectivity, PageWithoutMarkerIsOfflineAfterTwoFullProbes) {
  std::wstring server = Loopback(L"NEVROLT_HTTP_PORT");
  EXPECT_EQ(Click(NewFolder(L"no-marker"), server, server + L"/no-marker?t=absent"), L"未联网");
  EXPECT_EQ(RequestsWith("GET /no-marker?t=absent HTTP/1.1"), 2);
}

TEST_F(Connectivity, UnreachableSiteIsOfflineWithoutAPageRequest) {
  // The page itself is served, so a page request after a failed check would show.
  std::wstring page = Loopback(L"NEVROLT_HTTP_PORT") + L"/marker?t=closed";
  EXPECT_EQ(Click(NewFolder(L"closed"), Loopback(L"NEVROLT_CLOSED_PORT"), page), L"未联网");
  EXPECT_EQ(RequestsWith("t=closed"), 0);
}

TEST_F(Connectivity, PlantedWininetBesideTheProgramNeverLoads) {
  std::wstring folder = NewFolder(L"planted");
  std::wstring planted = PathFromEnvironment(L"NEVROLT_PLANTED_LIBRARY");
  ASSERT_TRUE(CopyFileW(planted.c_str(), (folder + L"\\wininet.dll").c_str(), FALSE));

  // This pass runs with wininet=n,b: a search that reaches the folder takes the planted file.
  SetDllDirectoryW(folder.c_str());
  HMODULE found = LoadLibraryW(L"wininet.dll");
  SetDllDirectoryW(nullptr);
  ASSERT_NE(found, nullptr);
  ASSERT_NE(GetProcAddress(found, "IsNTAdmin"), nullptr) << "this pass must prefer native wininet.dll files";
  FreeLibrary(found);

  std::wstring marker = folder + L"\\planted-ran.txt";
  std::wstring server = Loopback(L"NEVROLT_HTTP_PORT");
  EXPECT_EQ(Click(folder, server, server + L"/marker?t=planted", {L"NEVROLT_PLANT_MARKER=" + marker}), L"已联网");
  EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "the planted wininet.dll loaded";
}

}  // namespace
