#include <windows.h>

#include "runtime/codepage_win.h"
#include "runtime/files.h"
#include "runtime/handles_win.h"

namespace {

// The held file: open without write or delete sharing from the comparison until
// the library is mapped, so it cannot be swapped in between.
KernelHandle heldFile = OwnHandle(nullptr);

// The whole file behind an open handle; false when it cannot be read.
bool ReadWhole(HANDLE file, Bytes& bytes) {
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file, &size) || size.QuadPart >= (64 << 20)) return false;
  bytes.resize(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  return bytes.empty() ||
         (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
}

}  // namespace

Text RunDirectory() {
  static const Text folder = [] {
    wchar_t path[MAX_PATH * 2];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    std::wstring whole(path, length);
    size_t slash = whole.find_last_of(L'\\');
    return AnsiFromWide(slash == std::wstring::npos ? whole : whole.substr(0, slash));
  }();
  return folder;
}

bool FileExists(const Text& path) { return GetFileAttributesW(WideFromAnsi(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WriteBytesFile(const Text& path, const Bytes& bytes) {
  KernelHandle file = OwnHandle(CreateFileW(WideFromAnsi(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return ok && written == bytes.size();
}

bool SetFileAttributeBits(const Text& path, int bits) {
  DWORD attributes = static_cast<DWORD>(bits) & 0x27;
  if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
  return SetFileAttributesW(WideFromAnsi(path).c_str(), attributes) != FALSE;
}

bool IsFolder(const Text& path) {
  DWORD attributes = GetFileAttributesW(WideFromAnsi(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool HoldFile(const Text& path, Bytes& bytes) {
  ReleaseHeldFile();
  KernelHandle file = OwnHandle(CreateFileW(WideFromAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || !ReadWhole(file.get(), bytes)) return false;
  heldFile = std::move(file);
  return true;
}

void ReleaseHeldFile() { heldFile.reset(); }
