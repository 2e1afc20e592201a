// The one table that declares the main window's pages and controls.
#pragma once

enum ControlKind { kLabel, kEdit, kCheckBox, kButton };

// Style bits of a label; the other kinds take their settings from their kind.
enum ControlStyle : int {
  kAlignLeft = 0,
  kAlignCentre = 1,
  kOwnFont = 2,  // the large font of the reset page's label
};

struct ControlSpec {
  int page;  // 0 to 3
  ControlKind kind;
  int id;               // a ControlId; 0 for labels, which no code refers to
  const char* caption;  // GBK; nullptr for edit boxes
  int x, y;             // from the top-left corner of pageTabs
  int width, height;
  int style;          // ControlStyle bits
  void (*onClick)();  // buttons only
};

constexpr int kPageCount = 4;
extern const char* const kPageCaptions[kPageCount];
extern const ControlSpec kControls[];
extern const int kControlCount;

constexpr const char* kWindowTitle = "Nevrolt";
constexpr int kWindowWidth = 402;  // outer size, frame and caption included
constexpr int kWindowHeight = 290;
constexpr int kTabsWidth = 400;
constexpr int kTabsHeight = 264;
constexpr int kOwnFontHeight = -21;

// The table row of a control, or nullptr.
const ControlSpec* FindControl(int id);
