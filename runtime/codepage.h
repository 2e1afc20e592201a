// What the portable code needs to know of the system's ANSI code page.
#pragma once

// Whether the system's ANSI code page makes this byte the first of a two-byte
// character (IsDBCSLeadByte): the rule by which CreateProcessA and cmd read a
// command line, unlike the text operations' own fixed rule (runtime/text.h).
bool IsAnsiLeadByte(unsigned char byte);
