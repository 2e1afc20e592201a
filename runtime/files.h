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
// True for a folder of that name.
bool IsFolder(const Text& path);
// Opens the file and keeps it open, letting others read it but neither write,
// replace, rename nor delete it, and reads it whole. One file is held at a
// time. False when it cannot be held so (missing, a folder, open for writing).
bool HoldFile(const Text& path, Bytes& bytes);
// Closes the held file, if any.
void ReleaseHeldFile();
