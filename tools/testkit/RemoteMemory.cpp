#include "RemoteMemory.h"

namespace testkit {

RemoteMemory::RemoteMemory(HWND owner, size_t size) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(owner, &pid);
  process_.Reset(::OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE,
      pid));
  if (process_)
    address_ = ::VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory() {
  if (address_) ::VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE);
}

LPARAM RemoteMemory::At(size_t offset) const {
  return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
}

bool RemoteMemory::Write(size_t offset, const void* data, size_t size) const {
  SIZE_T written = 0;
  return address_ &&
         ::WriteProcessMemory(process_.Get(), reinterpret_cast<void*>(At(offset)), data, size,
                              &written) &&
         written == size;
}

bool RemoteMemory::Read(size_t offset, void* data, size_t size) const {
  SIZE_T read = 0;
  return address_ &&
         ::ReadProcessMemory(process_.Get(), reinterpret_cast<void*>(At(offset)), data, size,
                             &read) &&
         read == size;
}

}  // namespace testkit
