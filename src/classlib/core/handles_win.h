#pragma once
// Owning wrappers for the Win32 handles the class library holds. Each owns one handle, cannot be
// copied, can be moved, and releases the handle exactly once.

#include <windows.h>

#include <utility>

namespace classlib::win {

template <class Handle, class Traits>
class UniqueHandle {
public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Handle{}));
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  Handle release() { return std::exchange(handle_, Handle{}); }
  void reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Traits::Close(handle_);
    handle_ = handle;
  }

private:
  Handle handle_{};
};

struct WindowTraits {
  static void Close(HWND window) { DestroyWindow(window); }
};
struct GdiObjectTraits {
  static void Close(HGDIOBJ object) { DeleteObject(object); }
};
struct FindTraits {
  static void Close(HANDLE find) { FindClose(find); }
};
struct FileTraits {
  static void Close(HANDLE file) { CloseHandle(file); }
};

using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;

// File and find handles: the INVALID_HANDLE_VALUE that CreateFile and FindFirstFile return on
// failure is stored as null, so that `if (handle)` means the same for every wrapper.
template <class Traits>
class UniqueFileHandle : public UniqueHandle<HANDLE, Traits> {
public:
  UniqueFileHandle() = default;
  explicit UniqueFileHandle(HANDLE handle)
      : UniqueHandle<HANDLE, Traits>(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
};
using UniqueFile = UniqueFileHandle<FileTraits>;
using UniqueFind = UniqueFileHandle<FindTraits>;

}  // namespace classlib::win
