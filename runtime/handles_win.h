// Owned Windows handles: std::unique_ptr with the system's own release
// function as its deleter, so that a routine has one exit path for what it
// obtains and nothing leaks on an early return.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

using KernelHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, decltype(&CloseHandle)>;
using ModuleHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)>;
using GdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, decltype(&DeleteObject)>;
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, decltype(&DeleteDC)>;
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, decltype(&DestroyIcon)>;
// WinINet's handles, closed by the InternetCloseHandle of the loaded library.
using InternetHandle = std::unique_ptr<void, BOOL(WINAPI*)(void*)>;

// Kernel handles come back as nullptr or INVALID_HANDLE_VALUE on failure,
// depending on the call; both become an empty KernelHandle.
inline KernelHandle OwnHandle(HANDLE handle) {
  return KernelHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle, &CloseHandle);
}
inline ModuleHandle OwnModule(HMODULE module) { return ModuleHandle(module, &FreeLibrary); }
inline GdiObject OwnGdiObject(HGDIOBJ object) { return GdiObject(object, &DeleteObject); }
inline MemoryDc OwnMemoryDc(HDC dc) { return MemoryDc(dc, &DeleteDC); }
inline IconHandle OwnIcon(HICON icon) { return IconHandle(icon, &DestroyIcon); }
