// Move-only owners of Win32 handles, and guards for paired GDI calls.
#pragma once

#include <windows.h>

#include <utility>

namespace movaro {

// Owns one handle and releases it with Close(handle); copying is deleted.
template <typename Handle, auto Close>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle release() { return std::exchange(handle_, nullptr); }
  void reset(Handle handle = nullptr) {
    if (handle_ != nullptr) {
      Close(handle_);
    }
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
inline void DeleteMemoryDc(HDC dc) { ::DeleteDC(dc); }

using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteGdiObject>;
using UniquePen = UniqueHandle<HPEN, DeleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteGdiObject>;
using UniqueIcon = UniqueHandle<HICON, DestroyIconHandle>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteMemoryDc>;

// Selects an object into a device context for the guard's life.
class SelectionGuard {
 public:
  SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectionGuard() { ::SelectObject(dc_, previous_); }
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintGuard {
 public:
  explicit PaintGuard(HWND window) : window_(window) { dc_ = ::BeginPaint(window_, &paint_); }
  ~PaintGuard() { ::EndPaint(window_, &paint_); }
  PaintGuard(const PaintGuard&) = delete;
  PaintGuard& operator=(const PaintGuard&) = delete;

  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace movaro
