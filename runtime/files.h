// File services. Declared without Windows types.
#pragma once

#include "runtime/text.h"

// The executable's folder, without a trailing backslash. It is also the current
// directory from start-up on.
Text RunDirectory();
// True for a file or a folder of that name.
bool FileExists(const Text& path);
// Creates or overwrites the file; false on failure.
bool WriteBytesFile(const Text& path, const Bytes& bytes);
// The attributes become exactly bits & 0x27 (2: hidden only). False on failure.
bool SetFileAttributeBits(const Text& path, int bits);
