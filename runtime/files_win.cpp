#include <windows.h>

#include "runtime/codepage_win.h"
#include "runtime/files.h"

bool FileExists(const Text& path) {
  return GetFileAttributesW(WideFromAnsi(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteBytesFile(const Text& path, const Bytes& bytes) {
  HANDLE file = CreateFileW(WideFromAnsi(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool SetFileAttributeBits(const Text& path, int bits) {
  DWORD attributes = static_cast<DWORD>(bits) & 0x27;
  if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
  return SetFileAttributesW(WideFromAnsi(path).c_str(), attributes) != FALSE;
}
