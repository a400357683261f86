// One RAII owner for every kind of Win32 handle; the traits say what "invalid" is and how to
// close. No copying; Take() hands the handle over.
// This file must contain only Win32 code.
#pragma once

#include "sys/Platform.h"

namespace sys {

template <typename Traits>
class ScopedHandle {
 public:
  using Handle = typename Traits::Handle;
  ScopedHandle() = default;
  explicit ScopedHandle(Handle h) : handle_(h) {}
  ~ScopedHandle() { Reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Take()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = other.Take();
    }
    return *this;
  }

  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  Handle Get() const { return handle_; }
  Handle Take() {
    Handle h = handle_;
    handle_ = Traits::Invalid();
    return h;
  }
  void Reset(Handle h = Traits::Invalid()) {
    if (handle_ != Traits::Invalid()) Traits::Close(handle_);
    handle_ = h;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct FileTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::CloseHandle(h); }
};

struct KernelTraits {  // processes, threads, events: "no handle" is null
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::CloseHandle(h); }
};

struct AtomTraits {
  using Handle = ATOM;
  static Handle Invalid() { return 0; }
  static void Close(Handle h) { ::GlobalDeleteAtom(h); }
};

struct GdiObjectTraits {  // fonts, brushes, pens
  using Handle = HGDIOBJ;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::DeleteObject(h); }
};

struct FindTraits {  // directory searches: FindFirstFile gives INVALID_HANDLE_VALUE on failure
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::FindClose(h); }
};

struct LibraryTraits {  // modules loaded with LoadLibrary; each load is one reference
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::FreeLibrary(h); }
};

struct MemoryDcTraits {  // device contexts made with CreateCompatibleDC
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::DeleteDC(h); }
};

struct RegKeyTraits {  // keys opened with RegOpenKeyEx or RegCreateKeyEx, never the roots
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::RegCloseKey(h); }
};

struct ScreenDcTraits {  // the screen's device context from GetDC(nullptr)
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::ReleaseDC(nullptr, h); }
};

struct LocalMemoryTraits {  // buffers that system calls allocate for the caller with LocalAlloc
  using Handle = HLOCAL;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::LocalFree(h); }
};

using ScopedFileHandle = ScopedHandle<FileTraits>;
using ScopedKernelHandle = ScopedHandle<KernelTraits>;
using ScopedGlobalAtom = ScopedHandle<AtomTraits>;
using ScopedRegKey = ScopedHandle<RegKeyTraits>;
using ScopedScreenDc = ScopedHandle<ScreenDcTraits>;
using ScopedGdiObject = ScopedHandle<GdiObjectTraits>;

using ScopedFindHandle = ScopedHandle<FindTraits>;

using ScopedLibrary = ScopedHandle<LibraryTraits>;
using ScopedMemoryDc = ScopedHandle<MemoryDcTraits>;
using ScopedLocalMemory = ScopedHandle<LocalMemoryTraits>;

}  // namespace sys
