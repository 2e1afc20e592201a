// Text, byte and list services. Portable: no Windows types.
//
// A Text is a byte string in the machine's ANSI code page (GBK on the target
// systems). Positions count bytes from 1; a search that finds nothing gives -1.
// Scans step over a byte >= 0x80 together with the byte after it, so a match
// never starts on the second byte of a two-byte character. Ignoring case folds
// the ASCII letters only.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using Text = std::string;
using Bytes = std::vector<unsigned char>;
using TextList = std::vector<Text>;  // item 1 of the lists in the docs is index 0 here

// Cuts a C string or a raw buffer at its first NUL, as every Text is.
Text MakeText(std::string_view raw);

Text ConcatText(std::initializer_list<std::string_view> parts);
int CompareText(std::string_view a, std::string_view b);  // unsigned bytes; 0 when equal
int TextLength(std::string_view t);

Text LeftText(std::string_view t, int n);
Text RightText(std::string_view t, int n);
Text MidText(std::string_view t, int start, int n);

// First occurrence at or after start; the scan begins at start (<= 1: at byte 1).
int FindText(std::string_view t, std::string_view sought, int start = 1, bool ignoreCase = false);
// Last occurrence lying wholly in the first start - 1 bytes (no start: the whole text).
int FindLastText(std::string_view t, std::string_view sought, std::optional<int> start = std::nullopt,
                 bool ignoreCase = false);
// Replaces left to right from start, without overlap or rescan. count < 0: all.
Text ReplaceText(std::string_view t, std::string_view old, std::string_view replacement = {}, int start = 1,
                 int count = -1, bool caseSensitive = true);

TextList SplitText(std::string_view t, std::string_view separator = ",");

bool IsSpaceAt(std::string_view t, size_t i);  // 0x20, or the full-width space A1 A1
Text TrimSpaces(std::string_view t);
Text RemoveSpaces(std::string_view t);
Text ToUpperAscii(std::string_view t);
Text ToLowerAscii(std::string_view t);

int TextToInt(std::string_view t);
Text CharText(int code);
int CharCode(std::string_view t);
Text BlankText(int n);

Bytes BlankBytes(int n);
int BytesLength(const Bytes& b);
Bytes TextToBytes(std::string_view t);
Text BytesToText(const Bytes& b);
Bytes LeftBytes(const Bytes& b, int n);
Bytes MidBytes(const Bytes& b, int start, int n);
int FindBytes(const Bytes& b, const Bytes& sought, int start = 1);
Bytes ConcatBytes(const Bytes& a, const Bytes& b);
bool CompareBytes(const Bytes& a, const Bytes& b);

// Plain byte search shared by the text and byte finders: the 0-based index of the
// first occurrence of sought at or after from, or npos (also for an empty sought).
size_t SearchBytes(const unsigned char* data, size_t size, const unsigned char* sought, size_t soughtSize, size_t from);

int BitOr(std::initializer_list<int> values);
