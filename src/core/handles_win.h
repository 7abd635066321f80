// Owners of the kernel's handles: open files and processes, file searches, registry keys.
#pragma once

#include <windows.h>

#include "core/unique_handle.h"

namespace ss {

// Handles that CreateFileW gives: INVALID_HANDLE_VALUE owns nothing.
struct FileHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Free(HANDLE h) { CloseHandle(h); }
};
// Handles of processes, threads and events: nullptr owns nothing.
struct KernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Free(HANDLE h) { CloseHandle(h); }
};
struct FindHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Free(HANDLE h) { FindClose(h); }
};
struct RegistryKeyTraits {
  static HKEY Invalid() { return nullptr; }
  static void Free(HKEY h) { RegCloseKey(h); }
};

using FileHandle = UniqueHandle<HANDLE, FileHandleTraits>;
using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using FindHandle = UniqueHandle<HANDLE, FindHandleTraits>;
using RegistryKeyHandle = UniqueHandle<HKEY, RegistryKeyTraits>;

}  // namespace ss
