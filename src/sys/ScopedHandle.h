// One RAII owner for every kind of Win32 handle; the traits say what "invalid" is and how to
// close. No copying; Take() hands the handle over.
// This file must contain only Win32 specific code.
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

using ScopedFileHandle = ScopedHandle<FileTraits>;
using ScopedKernelHandle = ScopedHandle<KernelTraits>;
using ScopedGlobalAtom = ScopedHandle<AtomTraits>;

}  // namespace sys
