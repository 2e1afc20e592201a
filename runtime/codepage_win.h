// Conversions between the program's texts and UTF-16. Every conversion names its
// code page: the program's own texts are GBK (936) whatever the system's ANSI
// code page is; texts from and for the system (edit boxes, command lines, paths)
// are in the ANSI code page.
#pragma once

#include <string>

#include "runtime/text.h"

std::wstring WideFromProgramText(const Text& text);  // code page 936
std::wstring WideFromAnsi(const Text& text);         // CP_ACP
std::wstring WideFromConsole(const Text& text);      // CP_OEMCP, console output
std::wstring WideFromUtf8(const std::string& text);  // CP_UTF8
Text AnsiFromWide(const std::wstring& text);         // CP_ACP
