#include "runtime/codepage_win.h"

#include <windows.h>

#include "runtime/codepage.h"

namespace {

constexpr UINT kProgramCodePage = 936;

std::wstring WideFrom(UINT codePage, const Text& text) {
  if (text.empty()) return {};
  int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

std::wstring WideFromProgramText(const Text& text) { return WideFrom(kProgramCodePage, text); }

std::wstring WideFromAnsi(const Text& text) { return WideFrom(CP_ACP, text); }

std::wstring WideFromConsole(const Text& text) { return WideFrom(CP_OEMCP, text); }

std::wstring WideFromUtf8(const std::string& text) { return WideFrom(CP_UTF8, text); }

Text AnsiFromWide(const std::wstring& text) {
  if (text.empty()) return {};
  int size = static_cast<int>(text.size());
  int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  Text ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
  ansi.erase(ansi.find('\0') == Text::npos ? ansi.size() : ansi.find('\0'));  // a Text ends at its first NUL
  return ansi;
}
