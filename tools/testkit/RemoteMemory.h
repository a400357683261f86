// A buffer in the address space of the process that owns a window, so that messages whose
// parameters point at structures (EM_EXSETSEL, EM_GETCHARFORMAT) can be sent to another
// process's controls. Works the same for a window of this process.
#pragma once

#include <cstddef>

#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace testkit {

class RemoteMemory {
 public:
  RemoteMemory(HWND owner, size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  explicit operator bool() const { return address_ != nullptr; }
  // The buffer's address in the other process, offset bytes in, as a message parameter.
  LPARAM At(size_t offset) const;
  bool Write(size_t offset, const void* data, size_t size) const;
  bool Read(size_t offset, void* data, size_t size) const;

 private:
  sys::ScopedKernelHandle process_;
  void* address_ = nullptr;
};

}  // namespace testkit
