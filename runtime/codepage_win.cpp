#include "runtime/codepage_win.h"

#include <windows.h>

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

std::wstring WideFromProgramText(const Text& text) { return WideFrom(kProgramCodePage, text); }

std::wstring WideFromAnsi(const Text& text) { return WideFrom(CP_ACP, text); }

std::wstring WideFromConsole(const Text& text) { return WideFrom(CP_OEMCP, text); }

Text AnsiFromWide(const std::wstring& text) {
  if (text.empty()) return {};
  int size = static_cast<int>(text.size());
  int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  Text ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
  return MakeText(ansi);
}
