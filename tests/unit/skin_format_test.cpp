// The .she skin parser: the built skins, and a table of damaged ones.
#include "resources/skin_engine/skin_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

using Data = std::basic_string<unsigned char>;

Data BuiltSkin(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "/skin%02d.she", number);
  std::ifstream file(std::string(NEVROLT_SKINS_DIR) + name, std::ios::binary);
  return Data(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void Put32(Data& data, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) data[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// Header length and checksum made to agree with the bytes again.
Data Resealed(Data data) {
  Put32(data, 8, static_cast<uint32_t>(data.size()));
  Put32(data, 12, SkinChecksum(data.data(), data.size()));
  return data;
}

size_t ChunkAt(const Data& data, const char* tag) {
  return data.find(reinterpret_cast<const unsigned char*>(tag), kSkinHeaderSize, 4);
}

double Luminance(uint32_t colour) {
  double sum = 0;
  const double weights[] = {0.2126, 0.7152, 0.0722};
  for (int i = 0; i < 3; ++i) {
    double c = ((colour >> (8 * i)) & 0xFF) / 255.0;
    sum += weights[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
  }
  return sum;
}

double Contrast(uint32_t a, uint32_t b) {
  double x = Luminance(a), y = Luminance(b);
  return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

TEST(SkinFormat, TheDefaultSkinReadsAsWritten) {
  Data data = BuiltSkin(11);
  Skin skin;
  ASSERT_EQ(ParseSkin(data.data(), data.size(), skin), kSkinOk);
  EXPECT_EQ(skin.name, "Harbour");
  EXPECT_EQ(skin.colours[kWindow], 0xECE4DDu);  // #dde4ec
  EXPECT_EQ(skin.colours[kButtonText], 0xFFFFFFu);
  EXPECT_EQ(skin.colours[kDisabledText], 0x9E9790u);  // the last colour, #90979e
  EXPECT_EQ(skin.metrics.buttonRadius, 4);
  EXPECT_EQ(skin.font.height, 0);
  EXPECT_TRUE(skin.font.face.empty());
}

TEST(SkinFormat, All33BuiltSkinsParseAndDiffer) {
  std::set<std::string> names;
  std::set<std::string> palettes;
  for (int number = 1; number <= 33; ++number) {
    SCOPED_TRACE(number);
    Data data = BuiltSkin(number);
    ASSERT_GE(data.size(), kSkinHeaderSize);
    Skin skin;
    ASSERT_EQ(ParseSkin(data.data(), data.size(), skin), kSkinOk);
    names.insert(skin.name);
    palettes.insert(std::string(reinterpret_cast<const char*>(skin.colours), sizeof skin.colours));
    // Readable text everywhere the engine draws some.
    const SkinColour pairs[][2] = {{kPageText, kPage},
                                   {kEditText, kEdit},
                                   {kButtonText, kButtonFace},
                                   {kButtonText, kButtonFace2},
                                   {kTabSelectedText, kTabSelected},
                                   {kTabText, kTab},
                                   {kCaptionText, kCaption},
                                   {kButtonPressedText, kButtonPressed}};
    for (const auto& pair : pairs) {
      EXPECT_GE(Contrast(skin.colours[pair[0]], skin.colours[pair[1]]), 4.5)
          << kSkinColourNames[pair[0]] << " on " << kSkinColourNames[pair[1]];
    }
  }
  EXPECT_EQ(names.size(), 33u);
  EXPECT_EQ(palettes.size(), 33u);
}

struct BadSkin {
  const char* what;
  Data (*damage)(Data);
  SkinError expected;
};

const BadSkin kBadSkins[] = {
    {"three bytes", [](Data d) { return d.substr(0, 3); }, kSkinTooShort},
    {"header cut short", [](Data d) { return d.substr(0, kSkinHeaderSize - 1); }, kSkinTooShort},
    {"wrong magic",
     [](Data d) {
       d[3] = 'F';
       return d;
     },
     kSkinBadMagic},
    {"lower-case magic",
     [](Data d) {
       d[1] = 's';
       return d;
     },
     kSkinBadMagic},
    {"newer version",
     [](Data d) {
       d[4] = 2;
       return Resealed(d);
     },
     kSkinBadVersion},
    {"truncated by one byte", [](Data d) { return d.substr(0, d.size() - 1); }, kSkinBadLength},
    {"length field lies",
     [](Data d) {
       Data r = Resealed(d);
       Put32(r, 8, static_cast<uint32_t>(d.size() + 1));
       return r;
     },
     kSkinBadLength},
    {"one byte changed",
     [](Data d) {
       d[d.size() / 2] ^= 0x40;
       return d;
     },
     kSkinBadChecksum},
    {"trailing byte",
     [](Data d) {
       d.push_back(0);
       return Resealed(d);
     },
     kSkinBadChunk},
    {"chunk size past the end",
     [](Data d) {
       Put32(d, ChunkAt(d, "NAME") + 4, 0xFFFFFFF0u);
       return Resealed(d);
     },
     kSkinBadChunk},
    {"one chunk more than present",
     [](Data d) {
       d[6] += 1;
       return Resealed(d);
     },
     kSkinBadChunk},
    {"one chunk fewer than present",
     [](Data d) {
       d[6] -= 1;
       return Resealed(d);
     },
     kSkinBadChunk},
    {"unknown chunk",
     [](Data d) {
       d[ChunkAt(d, "FONT")] = 'X';
       return Resealed(d);
     },
     kSkinBadChunk},
    {"chunk twice",
     [](Data d) {
       size_t at = ChunkAt(d, "METR");
       d += d.substr(at, 12);
       d[6] += 1;
       return Resealed(d);
     },
     kSkinBadChunk},
    {"no palette",
     [](Data d) {
       size_t at = ChunkAt(d, "PALT");
       d.erase(at, 8 + 2 + 4 * kColourCount);
       d[6] -= 1;
       return Resealed(d);
     },
     kSkinMissingChunk},
    {"palette count wrong",
     [](Data d) {
       d[ChunkAt(d, "PALT") + 8] -= 1;
       return Resealed(d);
     },
     kSkinBadValue},
    {"palette reserved byte",
     [](Data d) {
       d[ChunkAt(d, "PALT") + 10 + 3] = 1;
       return Resealed(d);
     },
     kSkinBadValue},
    {"name with a control character",
     [](Data d) {
       d[ChunkAt(d, "NAME") + 8] = '\n';
       return Resealed(d);
     },
     kSkinBadValue},
    {"name with broken UTF-8",
     [](Data d) {
       d[ChunkAt(d, "NAME") + 8] = 0xC3;
       return Resealed(d);
     },
     kSkinBadValue},
    {"button radius out of range",
     [](Data d) {
       d[ChunkAt(d, "METR") + 8] = 200;
       return Resealed(d);
     },
     kSkinBadValue},
    {"font weight out of range",
     [](Data d) {
       d[ChunkAt(d, "FONT") + 10] = 50;
       return Resealed(d);
     },
     kSkinBadValue},
    {"garbage after a sealed header",
     [](Data d) {
       for (size_t i = kSkinHeaderSize; i < d.size(); ++i) d[i] = static_cast<unsigned char>(i * 131 + 7);
       return Resealed(d);
     },
     kSkinBadChunk},
};

TEST(SkinFormat, DamagedSkinsAreRefusedAndLeaveTheSkinAlone) {
  Data good = BuiltSkin(11);
  ASSERT_FALSE(good.empty());
  for (const BadSkin& bad : kBadSkins) {
    SCOPED_TRACE(bad.what);
    Data data = bad.damage(good);
    Skin skin;
    skin.name = "untouched";
    skin.colours[kPage] = 0x123456;
    EXPECT_EQ(ParseSkin(data.data(), data.size(), skin), bad.expected);
    EXPECT_EQ(skin.name, "untouched");
    EXPECT_EQ(skin.colours[kPage], 0x123456u);
  }
}

TEST(SkinFormat, NoDataIsRefused) {
  Skin skin;
  unsigned char byte = '.';
  EXPECT_EQ(ParseSkin(nullptr, 0, skin), kSkinNoData);
  EXPECT_EQ(ParseSkin(nullptr, 100, skin), kSkinNoData);
  EXPECT_EQ(ParseSkin(&byte, 0, skin), kSkinNoData);
}

}  // namespace
