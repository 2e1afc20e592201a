// The Windows side of skin installation: the carried library and skins are
// resources of the executable; the library is loaded by its full path.
#include <windows.h>

#include <cstdlib>

#include "app/skin_install.h"
#include "runtime/codepage_win.h"

namespace {

constexpr int kEngineResource = 300;  // skin n is resource 300 + n

Bytes ResourceBytes(int id) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_RCDATA);
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const auto* data = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
  return data ? Bytes(data, data + SizeofResource(nullptr, found)) : Bytes();
}

}  // namespace

const Bytes& CarriedSkinEngine() {
  static const Bytes library = ResourceBytes(kEngineResource);
  return library;
}

Bytes CarriedSkin(int number) {
#ifdef NEVROLT_GALLERY
  // The gallery build wears the skin that its environment names.
  if (const char* chosen = std::getenv("NEVROLT_GALLERY_SKIN")) number = std::atoi(chosen);
#endif
  return ResourceBytes(kEngineResource + number);
}

bool IsFolder(const Text& path) {
  DWORD attributes = GetFileAttributesW(WideFromAnsi(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// The held file: open without write or delete sharing from the comparison until
// the library is mapped, so it cannot be swapped in between.
HANDLE heldFile = INVALID_HANDLE_VALUE;

}  // namespace

bool HoldFile(const Text& path, Bytes& bytes) {
  ReleaseHeldFile();
  HANDLE file = CreateFileW(WideFromAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (64 << 20);
  if (ok) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = bytes.empty() ||
         (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
  }
  if (!ok) {
    CloseHandle(file);
    return false;
  }
  heldFile = file;
  return true;
}

void ReleaseHeldFile() {
  if (heldFile != INVALID_HANDLE_VALUE) CloseHandle(heldFile);
  heldFile = INVALID_HANDLE_VALUE;
}

bool CallSkinEngine(const Text& path, const Bytes& skin) {
  using AttachFn = int(WINAPI*)(const unsigned char*, int, const char*, int, int, int);
  HMODULE library = LoadLibraryExW(WideFromAnsi(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  auto attach = library
                    ? reinterpret_cast<AttachFn>(reinterpret_cast<void*>(GetProcAddress(library, "SkinH_AttachRes")))
                    : nullptr;
  if (!attach) {
    if (library) FreeLibrary(library);
    return false;
  }
  attach(skin.empty() ? nullptr : skin.data(), static_cast<int>(skin.size()), "", 0, 0, 0);
  return true;
}
