// The ".SHE" skin format: reading and checking a skin held in memory. Portable:
// shared by the engine library, the program's tests and the fuzz target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Colour roles, in the order in which a palette stores them.
enum SkinColour : int {
  kWindow,
  kWindowText,
  kPage,
  kPageText,
  kEdit,
  kEditText,
  kEditBorder,
  kEditFocusBorder,
  kButtonFace,
  kButtonFace2,
  kButtonText,
  kButtonBorder,
  kButtonHot,
  kButtonHot2,
  kButtonHotText,
  kButtonPressed,
  kButtonPressed2,
  kButtonPressedText,
  kCheckBox,
  kCheckBorder,
  kCheckMark,
  kTab,
  kTabText,
  kTabHot,
  kTabSelected,
  kTabSelectedText,
  kTabBorder,
  kCaption,
  kCaption2,
  kCaptionText,
  kFrame,
  kFocus,
  kDisabledText,
  kColourCount
};

// Names of the roles as the text sources spell them, indexed by SkinColour.
extern const char* const kSkinColourNames[kColourCount];

constexpr std::uint16_t kSkinVersion = 1;
constexpr std::size_t kSkinHeaderSize = 16;
constexpr std::size_t kSkinMaxLength = 1 << 20;
constexpr std::size_t kSkinMaxNameLength = 63;
constexpr std::size_t kSkinMaxFaceLength = 31;

struct SkinFont {
  int height = 0;    // character height as CreateFont takes it; 0 keeps the window's font
  int weight = 0;    // 0 keeps the font's weight, else 100 to 900
  std::string face;  // UTF-8; empty keeps the face
};

struct SkinMetrics {
  int buttonRadius = 0;  // corner radius of push buttons, 0 to 12
  int tabRadius = 0;     // corner radius of tabs, 0 to 8
  int checkRadius = 0;   // corner radius of check boxes, 0 to 6
};

struct Skin {
  std::string name;                          // UTF-8
  std::uint32_t colours[kColourCount] = {};  // 0x00BBGGRR, as COLORREF
  SkinFont font;
  SkinMetrics metrics;
};

enum SkinError : int {
  kSkinOk = 0,
  kSkinNoData,
  kSkinTooShort,
  kSkinBadMagic,
  kSkinBadVersion,
  kSkinBadLength,
  kSkinBadChecksum,
  kSkinBadChunk,
  kSkinMissingChunk,
  kSkinBadValue,
};

// Checks the whole of data and fills skin. On any error skin is left unchanged.
SkinError ParseSkin(const unsigned char* data, std::size_t length, Skin& skin);

// The checksum stored in the header: FNV-1a (32 bits) of the bytes after the header.
std::uint32_t SkinChecksum(const unsigned char* data, std::size_t length);
