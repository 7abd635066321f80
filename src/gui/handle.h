// Move-only owners of GDI and USER handles, and scopes that give back what they take.
#pragma once

#include <windows.h>

#include <cstddef>

#include "core/unique_handle.h"

namespace ss {

struct GdiObjectTraits {
  static std::nullptr_t Invalid() { return nullptr; }
  static void Free(HGDIOBJ h) { DeleteObject(h); }
};
struct IconTraits {
  static std::nullptr_t Invalid() { return nullptr; }
  static void Free(HICON h) { DestroyIcon(h); }
};
struct MenuTraits {
  static std::nullptr_t Invalid() { return nullptr; }
  static void Free(HMENU h) { DestroyMenu(h); }
};
struct MemoryDcTraits {
  static std::nullptr_t Invalid() { return nullptr; }
  static void Free(HDC h) { DeleteDC(h); }
};

using BitmapHandle = UniqueHandle<HBITMAP, GdiObjectTraits>;
using RegionHandle = UniqueHandle<HRGN, GdiObjectTraits>;
using FontHandle = UniqueHandle<HFONT, GdiObjectTraits>;
using BrushHandle = UniqueHandle<HBRUSH, GdiObjectTraits>;
using IconHandle = UniqueHandle<HICON, IconTraits>;
using MenuHandle = UniqueHandle<HMENU, MenuTraits>;
using MemoryDcHandle = UniqueHandle<HDC, MemoryDcTraits>;

// A window's DC for the length of a scope.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Saves a DC's state and restores it at the end of the scope, so selections never leak.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  ~SavedDcState() {
    if (saved_) RestoreDC(dc_, saved_);
  }

 private:
  HDC dc_;
  int saved_;
};

// Selects an object into a DC for the length of a scope and selects the old one back.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;
  ~SelectObjectScope() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// BeginPaint and EndPaint around a scope, so a failing paint still ends.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(window_, &ps_); }
  HDC dc() const { return dc_; }
  const RECT& area() const { return ps_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

}  // namespace ss
