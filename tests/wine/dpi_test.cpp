// The window at the display scale of the test prefix (NEVROLT_TEST_DPI): the
// real program's layout, read across processes, and the main window made in
// this process, whose fonts can be read. This program carries the program's
// manifest, so it sees the display as the program does. Expected lengths are
// the 96-DPI table scaled with the system's own MulDiv.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/control_ids.h"
#include "app/control_table.h"
#include "app/main_window_win.h"
#include "resources/skin_engine/skin_metrics.h"
#include "tests/wine/driver.h"

namespace {

int TestDpi() {
  wchar_t value[16] = {};
  GetEnvironmentVariableW(L"NEVROLT_TEST_DPI", value, 16);
  return value[0] ? _wtoi(value) : 96;
}

int Scaled(int length, int dpi) { return MulDiv(length, dpi, 96); }

// A rectangle relative to pageTabs' top-left corner, as the table gives it.
struct Box {
  int x, y, width, height;
  bool operator==(const Box& other) const {
    return x == other.x && y == other.y && width == other.width && height == other.height;
  }
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
  return out << box.x << "," << box.y << " " << box.width << "x" << box.height;
}

Box BoxOf(HWND control, HWND tabs) {
  RECT rect = WindowRectangle(control), origin = WindowRectangle(tabs);
  return {rect.left - origin.left, rect.top - origin.top, rect.right - rect.left, rect.bottom - rect.top};
}

Box ScaledBox(const ControlSpec& control, int dpi) {
  return {Scaled(control.x, dpi), Scaled(control.y, dpi), Scaled(control.width, dpi), Scaled(control.height, dpi)};
}

// Every child but the tab control carries its table row in GWLP_USERDATA.
const ControlSpec& RowOf(HWND child) { return kControls[GetWindowLongPtrW(child, GWLP_USERDATA)]; }

std::vector<HWND> Controls(HWND window) {
  std::vector<HWND> controls;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) != pageTabs) controls.push_back(child);
  }
  return controls;
}

// The window and every control where the table, scaled to dpi, puts them.
void ExpectScaledLayout(HWND window, int dpi) {
  RECT outer = WindowRectangle(window);
  EXPECT_EQ(outer.right - outer.left, Scaled(kWindowWidth, dpi));
  EXPECT_EQ(outer.bottom - outer.top, Scaled(kWindowHeight, dpi));
  HWND tabs = GetDlgItem(window, pageTabs);
  ASSERT_NE(tabs, nullptr);
  RECT tabsRect = WindowRectangle(tabs);
  EXPECT_EQ(tabsRect.right - tabsRect.left, Scaled(kTabsWidth, dpi));
  EXPECT_EQ(tabsRect.bottom - tabsRect.top, Scaled(kTabsHeight, dpi));
  std::vector<HWND> controls = Controls(window);
  ASSERT_EQ(controls.size(), static_cast<size_t>(kControlCount));
  for (HWND control : controls) {
    const ControlSpec& row = RowOf(control);
    EXPECT_EQ(BoxOf(control, tabs), ScaledBox(row, dpi))
        << "control " << row.id << " \"" << WindowText(control) << "\" at " << row.x << "," << row.y;
  }
}

LOGFONTW FontOf(HWND control) {
  LOGFONTW font = {};
  auto handle = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
  EXPECT_NE(GetObjectW(handle, sizeof font, &font), 0) << WindowText(control);
  return font;
}

// The stock GUI font's height, made for the system DPI, at dpi.
int GuiFontHeight(int dpi) {
  LOGFONTW stock = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
  HDC screen = GetDC(nullptr);
  int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return MulDiv(stock.lfHeight, dpi, systemDpi);
}

// Every control's font at dpi: the own font at −21 scaled, the GUI font elsewhere.
void ExpectFontsFor(HWND window, int dpi) {
  for (HWND control : Controls(window)) {
    const ControlSpec& row = RowOf(control);
    int height = (row.style & kOwnFont) ? Scaled(kOwnFontHeight, dpi) : GuiFontHeight(dpi);
    EXPECT_EQ(FontOf(control).lfHeight, height) << WindowText(control);
  }
  EXPECT_EQ(FontOf(GetDlgItem(window, pageTabs)).lfHeight, GuiFontHeight(dpi));
}

// The room a caption has inside its control, as the skin engine draws it: a
// label's whole box; a check box's right of its box; a button's inside its margins.
SIZE CaptionRoom(HWND control, int dpi) {
  RECT rect = WindowRectangle(control);
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  switch (RowOf(control).kind) {
    case kCheckBox:
      return {width - Scaled(kCheckBoxLeft, dpi) - Scaled(kCheckBoxSide, dpi) - Scaled(kCheckBoxGap, dpi), height};
    case kButton:
      return {width - 2 * Scaled(kButtonTextMarginX, dpi), height - 2 * Scaled(kButtonTextMarginY, dpi)};
    default:
      return {width, height};
  }
}

void ExpectCaptionsFit(HWND window, int dpi) {
  HDC dc = GetDC(window);
  for (HWND control : Controls(window)) {
    const ControlSpec& row = RowOf(control);
    if (row.kind == kEdit) continue;
    std::wstring caption = WindowText(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    SelectObject(dc, old);
    SIZE room = CaptionRoom(control, dpi);
    EXPECT_LE(extent.cx, room.cx) << "\"" << caption << "\" is wider than its control at " << dpi << " DPI";
    EXPECT_LE(extent.cy, room.cy) << "\"" << caption << "\" is taller than its control at " << dpi << " DPI";
  }
  ReleaseDC(window, dc);
}

class AtDisplayScale : public testing::Test {
 protected:
  void SetUp() override {
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), dpi) << "the prefix runs at the scale asked for";
    ReleaseDC(nullptr, screen);
  }
  void TearDown() override { Finish(running); }
  Running running;
  int dpi = TestDpi();
};

TEST_F(AtDisplayScale, TheProgramLaysOutTheTableScaledAndCentred) {
  running = StartNevrolt(NewFolder(L"dpi-layout"));
  HWND window = WaitForMainWindow(running);
  ASSERT_NE(window, nullptr);
  RECT outer = WindowRectangle(window);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - Scaled(kWindowWidth, dpi)) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - Scaled(kWindowHeight, dpi)) / 2);
  ExpectScaledLayout(window, dpi);
}

TEST_F(AtDisplayScale, TheSkinDrawsTheCheckBoxAtThisScale) {
  running = StartNevrolt(NewFolder(L"dpi-skin"));
  HWND window = WaitForMainWindow(running);
  ASSERT_NE(window, nullptr);
  HWND ping = GetDlgItem(window, pingCheck);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ping) && GetFocus() != ping; }));
  Capture capture = CaptureWindow(window);
  RECT outer = WindowRectangle(window), rect = WindowRectangle(ping);
  int left = rect.left - outer.left, top = rect.top - outer.top;
  unsigned surface = capture.At(rect.right - outer.left - 1, top);  // the control's corner: the page
  // Down the middle of the box: its border, its inside, its border; the page above and below.
  int column = left + Scaled(kCheckBoxLeft, dpi) + Scaled(kCheckBoxSide, dpi) / 2;
  int drawn = 0;
  for (int y = top; y < rect.bottom - outer.top; ++y) drawn += capture.At(column, y) != surface;
  EXPECT_EQ(drawn, Scaled(kCheckBoxSide, dpi));
}

// The main window made here, as the program makes it, with its fonts in reach.
class MainWindowHere : public AtDisplayScale {
 protected:
  void SetUp() override {
    AtDisplayScale::SetUp();
    window = CreateMainWindow(GetModuleHandleW(nullptr));
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
  }
  HWND window = nullptr;
};

TEST_F(MainWindowHere, FontsAreMadeForTheDisplayAndEveryCaptionFits) {
  ExpectScaledLayout(window, dpi);
  ExpectFontsFor(window, dpi);
  ExpectCaptionsFit(window, dpi);
}

TEST_F(MainWindowHere, MovingToAnotherScaleTakesTheSuggestedRectangleAndNewFonts) {
  int next = dpi == 192 ? 120 : dpi + 48;
  HWND reset = nullptr;
  for (HWND control : Controls(window)) {
    if (RowOf(control).style & kOwnFont) reset = control;
  }
  ASSERT_NE(reset, nullptr);
  auto oldOwnFont = reinterpret_cast<HGDIOBJ>(SendMessageW(reset, WM_GETFONT, 0, 0));

  RECT suggested = {40, 30, 40 + Scaled(kWindowWidth, next), 30 + Scaled(kWindowHeight, next)};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&suggested));

  RECT outer = WindowRectangle(window);
  EXPECT_EQ(outer.left, suggested.left);
  EXPECT_EQ(outer.top, suggested.top);
  ExpectScaledLayout(window, next);
  ExpectFontsFor(window, next);
  ExpectCaptionsFit(window, next);
  EXPECT_EQ(GetObjectType(oldOwnFont), 0u) << "the font made for the old scale is released";
}

}  // namespace
