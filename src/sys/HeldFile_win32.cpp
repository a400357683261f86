// A file written and then held against other writers.
// This file must contain only Win32 code.
#include <algorithm>

#include "sys/Files.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace sys {

bool HeldFile::Write(const std::string& path, const std::string& data) {
  Release();
  // Readers only may share it: from the open on, no other program writes it.
  ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  // Emptied through the handle, not on opening: a file that cannot be held is left as it was.
  if (!::SetEndOfFile(file.Get())) return false;
  size_t done = 0;
  while (done < data.size()) {
    const DWORD want = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file.Get(), data.data() + done, want, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  handle_ = reinterpret_cast<intptr_t>(file.Take());
  return true;
}

void HeldFile::Release() {
  if (handle_ != kInvalid) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = kInvalid;
}

}  // namespace sys
