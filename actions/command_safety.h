// Guards the command lines the elevated program hands to cmd.
#pragma once

#include "runtime/text.h"

// True when the text holds a character that cmd treats specially (& | < > ^ " %)
// or a control character. The bytes are scanned as CreateProcessA reads them:
// the second byte of a two-byte character of the system's ANSI code page is
// stepped over, so a Chinese character whose second byte is "|" is no pipe.
bool HasForbiddenCommandChar(const Text& text);
