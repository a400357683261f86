// Whether two paths name one file, by the file's identity on its volume.
// This file must contain only Win32 code.
#include "sys/Files.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace sys {
namespace {

// The volume and index of the file behind path: the same for every name it has (a long name,
// its 8.3 short name, a hard link, another spelling of the folder). False when it cannot be read.
bool IdentityOf(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  // No access asked: only the identity is read, so no other program's sharing stands in the way.
  ScopedFileHandle file(::CreateFileA(path.c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return file && ::GetFileInformationByHandle(file.Get(), &info);
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  if (a.empty() || b.empty() || !IdentityOf(a, first) || !IdentityOf(b, second)) return false;
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace sys
