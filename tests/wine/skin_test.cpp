// The real Nevrolt.exe under Wine and its skin engine: the library written
// beside it, a foreign file or a folder in its place, skin 11 handed over
// whole, and the window wearing the skin's colours.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "resources/skin_engine/skin_format.h"
#include "resources/skin_engine/skin_report.h"
#include "tests/wine/driver.h"

namespace {

std::string CarriedLibrary() { return ReadWholeFile(PathFromEnvironment(L"NEVROLT_SKIN_ENGINE")); }
std::string Skin11() { return ReadWholeFile(PathFromEnvironment(L"NEVROLT_SKIN11")); }
std::wstring LibraryIn(const std::wstring& folder) { return folder + L"\\SkinH_EL.dll"; }

struct FileState {
  std::string bytes;
  DWORD attributes = INVALID_FILE_ATTRIBUTES;
  FILETIME written = {};
};

// Wine reports every regular file as archive, whatever was set; Windows does not.
DWORD WithoutArchive(DWORD attributes) { return attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE); }

FileState StateOf(const std::wstring& path) {
  FileState state;
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
    state.attributes = data.dwFileAttributes;
    state.written = data.ftLastWriteTime;
  }
  state.bytes = ReadWholeFile(path);
  return state;
}

class SkinEngine : public testing::Test {
 protected:
  void TearDown() override { Finish(running); }
  // Closes the window and waits for the exit code.
  DWORD Close(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return WaitForExit(running);
  }
  Running running;
};

TEST_F(SkinEngine, FirstStartWritesTheLibraryHiddenAndTheNextStartLeavesItAlone) {
  std::wstring folder = NewFolder(L"first");
  std::string carried = CarriedLibrary();
  ASSERT_GT(carried.size(), 1000u);

  running = StartNevrolt(folder);
  HWND window = WaitForMainWindow(running);
  ASSERT_NE(window, nullptr);
  FileState first = StateOf(LibraryIn(folder));
  EXPECT_EQ(WithoutArchive(first.attributes), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(first.bytes == carried) << "written " << first.bytes.size() << " bytes, carried " << carried.size();
  // The shipped engine keeps no named section that another process could open.
  std::wstring section = L"Local\\SkinH_EL.Attach." + std::to_wstring(running.process.dwProcessId);
  HANDLE opened = OpenFileMappingW(FILE_MAP_READ, FALSE, section.c_str());
  EXPECT_EQ(opened, nullptr);
  if (opened) CloseHandle(opened);
  EXPECT_EQ(Close(window), 0u);
  Finish(running);

  running = StartNevrolt(folder);
  window = WaitForMainWindow(running);
  ASSERT_NE(window, nullptr);
  FileState second = StateOf(LibraryIn(folder));
  EXPECT_EQ(second.attributes, first.attributes);
  EXPECT_TRUE(second.bytes == first.bytes);
  EXPECT_EQ(CompareFileTime(&second.written, &first.written), 0) << "the library was written again";
  EXPECT_EQ(Close(window), 0u);
}

TEST_F(SkinEngine, AForeignLibraryIsReplacedAndItsCodeNeverRuns) {
  std::wstring folder = NewFolder(L"foreign");
  std::wstring marker = folder + L"\\planted-ran.txt";
  std::wstring library = LibraryIn(folder);
  ASSERT_TRUE(CopyFileW(PathFromEnvironment(L"NEVROLT_PLANTED_LIBRARY").c_str(), library.c_str(), FALSE));
  ASSERT_TRUE(SetFileAttributesW(library.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));

  running = StartNevrolt(folder, {L"NEVROLT_PLANT_MARKER=" + marker});
  HWND window = WaitForMainWindow(running);
  ASSERT_NE(window, nullptr);
  FileState state = StateOf(library);
  EXPECT_TRUE(state.bytes == CarriedLibrary()) << "still " << state.bytes.size() << " foreign bytes";
  EXPECT_EQ(WithoutArchive(state.attributes), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "the planted library ran";
  EXPECT_EQ(Close(window), 0u);
}

// Starts the program in `folder` with a folder named SkinH_EL.dll beside it:
// start-up stops with the error naming the library, its function and the folder
// in the way (as the system spells its path), no window, and exit code -1.
void ExpectStartUpStoppedByAFolder(Running& running, const std::wstring& folder) {
  std::wstring library = LibraryIn(folder);
  ASSERT_TRUE(CreateDirectoryW(library.c_str(), nullptr));

  running = StartNevrolt(folder);
  HWND box = WaitForMessageBox(running);
  ASSERT_NE(box, nullptr);
  std::wstring text = MessageBoxText(box);
  EXPECT_NE(text.find(L"SkinH_EL.dll"), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"SkinH_AttachRes"), std::wstring::npos) << text;
  std::wstring lowerText = text, lowerPath = library;
  CharLowerW(lowerText.data());
  CharLowerW(lowerPath.data());
  EXPECT_NE(lowerText.find(lowerPath), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"请删除它"), std::wstring::npos) << text;
  EXPECT_EQ(WaitForTopWindow(running.process.dwProcessId, L"NevroltMainWindow", 0), nullptr);
  DismissMessageBox(box);
  EXPECT_EQ(WaitForExit(running), static_cast<DWORD>(-1));
  EXPECT_TRUE(GetFileAttributesW(library.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(SkinEngine, AFolderOfThatNameStopsStartUpWithMinusOne) {
  ExpectStartUpStoppedByAFolder(running, NewFolder(L"blocked"));
}

// Runs under an English locale (ANSI code page 1252): the path in the start-up
// error is the system's text and must reach the screen as it is, beside the
// program's own Chinese text.
TEST_F(SkinEngine, TheErrorNamesAFolderRightUnderASingleByteCodePage) {
  ASSERT_EQ(GetACP(), 1252u) << "this pass runs under an English locale";
  ExpectStartUpStoppedByAFolder(running, NewFolder(L"Caf\u00e9"));
}

// While the program starts, another thread keeps putting a foreign library in
// the place of SkinH_EL.dll. Whatever it manages, the foreign code never runs:
// the program starts with its own library, or stops with the start-up error.
TEST_F(SkinEngine, ALibrarySwappedInDuringStartUpNeverRuns) {
  constexpr int kStarts = 6;
  std::wstring planted = PathFromEnvironment(L"NEVROLT_PLANTED_LIBRARY");
  int swaps = 0;
  for (int start = 0; start < kStarts; ++start) {
    SCOPED_TRACE(start);
    std::wstring folder = NewFolder(L"swapped");
    std::wstring library = LibraryIn(folder);
    std::wstring spare = folder + L"\\spare.dll";
    std::wstring marker = folder + L"\\planted-ran.txt";
    std::atomic<bool> stop{false};
    std::thread swapper([&] {
      while (!stop) {
        SetFileAttributesW(library.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (CopyFileW(planted.c_str(), spare.c_str(), FALSE) &&
            MoveFileExW(spare.c_str(), library.c_str(), MOVEFILE_REPLACE_EXISTING)) {
          ++swaps;
        }
      }
    });
    running = StartNevrolt(folder, {L"NEVROLT_PLANT_MARKER=" + marker});
    DWORD processId = running.process.dwProcessId;
    bool settled = WaitUntil([&] {
      return WaitForTopWindow(processId, L"NevroltMainWindow", 0) || WaitForMessageBox(running, 0) ||
             WaitForSingleObject(running.process.hProcess, 0) == WAIT_OBJECT_0;
    });
    stop = true;
    swapper.join();
    EXPECT_TRUE(settled) << "neither a window nor the start-up error";
    EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "the swapped-in library ran";
    Finish(running);
  }
  EXPECT_GT(swaps, 0) << "the swapper never got its file in place";
}

TEST_F(SkinEngine, Skin11ReachesTheEngineWhole) {
  std::wstring folder = NewFolder(L"received");
  running = StartNevroltBuild(L"NEVROLT_SKIN_REPORT_EXE", folder);
  HWND window = WaitForMainWindow(running);
  ASSERT_NE(window, nullptr);

  // The test build carries an engine that keeps what it received; the library
  // it wrote answers for the engine inside the program.
  HMODULE library = LoadLibraryW(LibraryIn(folder).c_str());
  ASSERT_NE(library, nullptr);
  using QueryFn = int(WINAPI*)(DWORD, void*, DWORD);
  auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(GetProcAddress(library, "SkinH_QueryAttach")));
  ASSERT_NE(query, nullptr);
  AttachReport report = {};
  ASSERT_EQ(query(running.process.dwProcessId, &report, sizeof report), 0);
  FreeLibrary(library);

  std::string skin = Skin11();
  ASSERT_FALSE(skin.empty());
  EXPECT_EQ(report.calls, 1u);
  EXPECT_EQ(report.result, 0);
  EXPECT_EQ(report.length, skin.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(report.head), 4), ".SHE");
  EXPECT_EQ(report.hash,
            AttachHash(reinterpret_cast<const unsigned char*>(skin.data()), static_cast<uint32_t>(skin.size())));
  EXPECT_EQ(report.passwordEmpty, 1u);
  EXPECT_EQ(report.extras, 0u);
  EXPECT_GE(report.windows, 26u) << "the window, the tab control and 24 controls";
}

// The colour at x,y of a capture, as a COLORREF (0x00BBGGRR).
COLORREF PixelAt(const Capture& capture, int x, int y) {
  if (x < 0 || y < 0 || x >= capture.width || y >= capture.height) return CLR_INVALID;
  unsigned pixel = capture.At(x, y);
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// A point of the client area in the coordinates of the window's rectangle.
POINT ClientToWindow(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  RECT rect = WindowRectangle(window);
  return {point.x - rect.left, point.y - rect.top};
}

bool Between(COLORREF colour, COLORREF a, COLORREF b) {
  for (int shift : {0, 8, 16}) {
    int c = (colour >> shift) & 0xFF, x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
    if (c < std::min(x, y) - 1 || c > std::max(x, y) + 1) return false;
  }
  return true;
}

TEST_F(SkinEngine, TheWindowWearsTheColoursOfSkin11) {
  std::string data = Skin11();
  Skin skin;
  ASSERT_EQ(ParseSkin(reinterpret_cast<const unsigned char*>(data.data()), data.size(), skin), kSkinOk);
  const uint32_t* c = skin.colours;

  running = StartNevrolt(NewFolder(L"colours"));
  HWND window = WaitForMainWindow(running);
  ASSERT_NE(window, nullptr);
  // Points in the client area (the tab control's coordinates), away from any text.
  POINT page = ClientToWindow(window, 370, 150);
  POINT strip = ClientToWindow(window, 380, 8);
  POINT edit = ClientToWindow(window, 324, 128);      // inside addressEdit2
  POINT editEdge = ClientToWindow(window, 164, 112);  // its top border
  POINT button = ClientToWindow(window, 210, 196);    // checkButton, left of its caption
  POINT check = ClientToWindow(window, 39, 208);      // inside pingCheck's box
  Capture shot;
  EXPECT_TRUE(WaitUntil([&] {
    shot = CaptureWindow(window);
    return PixelAt(shot, page.x, page.y) == c[kPage] && PixelAt(shot, button.x, button.y) != c[kPage];
  })) << std::hex
      << "page pixel " << PixelAt(shot, page.x, page.y) << ", skin " << c[kPage];
  EXPECT_EQ(PixelAt(shot, strip.x, strip.y), c[kWindow]);
  EXPECT_EQ(PixelAt(shot, edit.x, edit.y), c[kEdit]);
  EXPECT_EQ(PixelAt(shot, editEdge.x, editEdge.y), c[kEditBorder]);
  EXPECT_EQ(PixelAt(shot, check.x, check.y), c[kCheckBox]);
  EXPECT_TRUE(Between(PixelAt(shot, button.x, button.y), c[kButtonFace], c[kButtonFace2]))
      << std::hex << PixelAt(shot, button.x, button.y);
  EXPECT_TRUE(Between(PixelAt(shot, 200, 10), c[kCaption], c[kCaption2])) << std::hex << PixelAt(shot, 200, 10);

  // The parameter page shows its controls on the skin's page colour too.
  ClickTab(GetDlgItem(window, 100), 1);
  POINT label = ClientToWindow(window, 42, 34);          // corner of the label 连接名称
  POINT connectivity = ClientToWindow(window, 20, 228);  // connectivityButton, left of its caption
  WaitUntil([&] {
    shot = CaptureWindow(window);
    return PixelAt(shot, label.x, label.y) == c[kPage];
  });
  EXPECT_EQ(PixelAt(shot, label.x, label.y), c[kPage]);
  EXPECT_TRUE(Between(PixelAt(shot, connectivity.x, connectivity.y), c[kButtonFace], c[kButtonFace2]))
      << std::hex << PixelAt(shot, connectivity.x, connectivity.y);
}

// The engine alone, loaded into this process: bad skins are refused and leave
// this thread's windows as they were; a good one takes them over.
TEST(SkinEngineLibrary, RefusesBadSkinsWithoutTouchingAnyWindow) {
  HMODULE library = LoadLibraryW(PathFromEnvironment(L"NEVROLT_SKIN_ENGINE").c_str());
  ASSERT_NE(library, nullptr);
  using AttachFn = int(WINAPI*)(const unsigned char*, int, const char*, int, int, int);
  auto attach = reinterpret_cast<AttachFn>(reinterpret_cast<void*>(GetProcAddress(library, "SkinH_AttachRes")));
  ASSERT_NE(attach, nullptr);

  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"SkinEngineProbe";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"SkinEngineProbe", L"probe", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  LONG_PTR ownProc = GetWindowLongPtrW(window, GWLP_WNDPROC);

  std::string good = Skin11();
  std::string wrongMagic = good;
  wrongMagic[1] = 'X';
  std::string garbage(300, '\x5A');
  garbage.replace(0, 4, ".SHE");
  auto bytes = [](const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); };
  struct Bad {
    const char* what;
    const unsigned char* data;
    int length;
  };
  const Bad bad[] = {
      {"null and 0", nullptr, 0},
      {"null with a length", nullptr, 100},
      {"short", bytes(good), 3},
      {"wrong magic", bytes(wrongMagic), static_cast<int>(wrongMagic.size())},
      {"truncated", bytes(good), static_cast<int>(good.size()) - 1},
      {"negative length", bytes(good), -1},
      {"garbage", bytes(garbage), static_cast<int>(garbage.size())},
  };
  for (const Bad& b : bad) {
    EXPECT_NE(attach(b.data, b.length, "", 0, 0, 0), 0) << b.what;
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), ownProc) << b.what;
  }
  EXPECT_EQ(attach(bytes(good), static_cast<int>(good.size()), "", 0, 0, 0), 0);
  EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), ownProc) << "a good skin takes the window over";
  DestroyWindow(window);
}

}  // namespace
