#include "resources/skin_engine/skin_format.h"

const char* const kSkinColourNames[kColourCount] = {
    "window",
    "window_text",
    "page",
    "page_text",
    "edit",
    "edit_text",
    "edit_border",
    "edit_focus_border",
    "button_face",
    "button_face2",
    "button_text",
    "button_border",
    "button_hot",
    "button_hot2",
    "button_hot_text",
    "button_pressed",
    "button_pressed2",
    "button_pressed_text",
    "check_box",
    "check_border",
    "check_mark",
    "tab",
    "tab_text",
    "tab_hot",
    "tab_selected",
    "tab_selected_text",
    "tab_border",
    "caption",
    "caption2",
    "caption_text",
    "frame",
    "focus",
    "disabled_text",
};

namespace {

std::uint32_t Read16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t Read32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool IsTag(const unsigned char* p, const char* tag) {
  return p[0] == tag[0] && p[1] == tag[1] && p[2] == tag[2] && p[3] == tag[3];
}

// Well-formed UTF-8 without control characters.
bool IsCleanUtf8(const unsigned char* p, std::size_t length) {
  std::size_t i = 0;
  while (i < length) {
    unsigned char c = p[i];
    std::size_t extra = 0;
    std::uint32_t code = 0;
    if (c < 0x80) {
      if (c < 0x20 || c == 0x7F) return false;
      ++i;
      continue;
    }
    if (c >= 0xC2 && c <= 0xDF)
      extra = 1, code = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
      extra = 2, code = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
      extra = 3, code = c & 0x07;
    else
      return false;
    if (length - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return false;
      code = (code << 6) | (p[i + k] & 0x3F);
    }
    if ((extra == 2 && code < 0x800) || (extra == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
        (code >= 0xD800 && code <= 0xDFFF)) {
      return false;
    }
    i += extra + 1;
  }
  return true;
}

SkinError ReadName(const unsigned char* p, std::size_t length, Skin& skin) {
  if (length == 0 || length > kSkinMaxNameLength || !IsCleanUtf8(p, length)) return kSkinBadValue;
  skin.name.assign(reinterpret_cast<const char*>(p), length);
  return kSkinOk;
}

// u16 count, then count colours of four bytes: red, green, blue, 0.
SkinError ReadPalette(const unsigned char* p, std::size_t length, Skin& skin) {
  if (length < 2 || Read16(p) != kColourCount || length != 2 + 4 * static_cast<std::size_t>(kColourCount)) {
    return kSkinBadValue;
  }
  for (int i = 0; i < kColourCount; ++i) {
    const unsigned char* entry = p + 2 + 4 * i;
    if (entry[3] != 0) return kSkinBadValue;
    skin.colours[i] = entry[0] | (entry[1] << 8) | (entry[2] << 16);
  }
  return kSkinOk;
}

// i16 height, u16 weight, u8 face length, face.
SkinError ReadFont(const unsigned char* p, std::size_t length, Skin& skin) {
  if (length < 5 || length != 5u + p[4]) return kSkinBadValue;
  int height = static_cast<std::int16_t>(Read16(p));
  int weight = static_cast<int>(Read16(p + 2));
  std::size_t faceLength = p[4];
  if (height < -72 || height > 72 || (weight != 0 && (weight < 100 || weight > 900))) return kSkinBadValue;
  if (faceLength > kSkinMaxFaceLength || !IsCleanUtf8(p + 5, faceLength)) return kSkinBadValue;
  skin.font.height = height;
  skin.font.weight = weight;
  skin.font.face.assign(reinterpret_cast<const char*>(p + 5), faceLength);
  return kSkinOk;
}

// u8 button radius, u8 tab radius, u8 check radius, u8 0.
SkinError ReadMetrics(const unsigned char* p, std::size_t length, Skin& skin) {
  if (length != 4 || p[0] > 12 || p[1] > 8 || p[2] > 6 || p[3] != 0) return kSkinBadValue;
  skin.metrics.buttonRadius = p[0];
  skin.metrics.tabRadius = p[1];
  skin.metrics.checkRadius = p[2];
  return kSkinOk;
}

struct ChunkKind {
  const char* tag;
  bool required;
  SkinError (*read)(const unsigned char*, std::size_t, Skin&);
};

const ChunkKind kChunkKinds[] = {
    {"NAME", true, ReadName},
    {"PALT", true, ReadPalette},
    {"FONT", false, ReadFont},
    {"METR", false, ReadMetrics},
};
constexpr int kChunkKindCount = sizeof kChunkKinds / sizeof kChunkKinds[0];

}  // namespace

std::uint32_t SkinChecksum(const unsigned char* data, std::size_t length) {
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = kSkinHeaderSize; i < length; ++i) hash = (hash ^ data[i]) * 16777619u;
  return hash;
}

SkinError ParseSkin(const unsigned char* data, std::size_t length, Skin& skin) {
  if (!data || length == 0) return kSkinNoData;
  if (length < kSkinHeaderSize) return kSkinTooShort;
  if (!IsTag(data, ".SHE")) return kSkinBadMagic;
  if (Read16(data + 4) != kSkinVersion) return kSkinBadVersion;
  if (length > kSkinMaxLength || Read32(data + 8) != length) return kSkinBadLength;
  if (Read32(data + 12) != SkinChecksum(data, length)) return kSkinBadChecksum;

  std::size_t chunkCount = Read16(data + 6);
  Skin parsed;
  bool seen[kChunkKindCount] = {};
  std::size_t offset = kSkinHeaderSize;
  for (std::size_t n = 0; n < chunkCount; ++n) {
    if (length - offset < 8) return kSkinBadChunk;
    const unsigned char* chunk = data + offset;
    std::size_t size = Read32(chunk + 4);
    if (size > length - offset - 8) return kSkinBadChunk;
    int kind = 0;
    while (kind < kChunkKindCount && !IsTag(chunk, kChunkKinds[kind].tag)) ++kind;
    if (kind == kChunkKindCount || seen[kind]) return kSkinBadChunk;
    seen[kind] = true;
    SkinError error = kChunkKinds[kind].read(chunk + 8, size, parsed);
    if (error != kSkinOk) return error;
    offset += 8 + size;
  }
  if (offset != length) return kSkinBadChunk;
  for (int kind = 0; kind < kChunkKindCount; ++kind) {
    if (kChunkKinds[kind].required && !seen[kind]) return kSkinMissingChunk;
  }
  skin = parsed;
  return kSkinOk;
}
