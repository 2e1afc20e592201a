// The Windows side of skin installation: the carried library and skins are
// resources of the executable; the library is loaded by its full path.
#include <windows.h>

#include "app/skin_install.h"
#include "runtime/codepage_win.h"
#include "runtime/handles_win.h"
#include "runtime/system_win.h"

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

Bytes CarriedSkin(int number) { return ResourceBytes(kEngineResource + number); }

bool CallSkinEngine(const Text& path, const Bytes& skin) {
  using AttachFn = int(WINAPI*)(const unsigned char*, int, const char*, int, int, int);
  ModuleHandle library = OwnModule(LoadLibraryExW(WideFromAnsi(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  AttachFn attach = nullptr;
  if (!library || !ResolveExport(library.get(), "SkinH_AttachRes", attach)) return false;
  attach(skin.empty() ? nullptr : skin.data(), static_cast<int>(skin.size()), "", 0, 0, 0);
  // The engine now hooks the thread's windows: it stays for the life of the process.
  library.release();
  return true;
}
