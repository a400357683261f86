// Whether a folder exists, and creating one together with the parents it lacks.
// This file must contain only Win32 code.
#include "sys/Files.h"
#include "sys/Folders.h"
#include "sys/Platform.h"

namespace sys {

bool FolderExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& folder) {
  // Split as the system reads the name: a "\" after a lead byte belongs to its character.
  const std::string path = FolderWithBackslash(folder, false, IsLeadByteOfActiveCodePage);
  if (path.empty()) return false;
  if (FolderExists(path)) return true;
  // A drive ("C:") or a server ("\\server") has no parent to create.
  const std::string parent = FolderOfPath(path, false, IsLeadByteOfActiveCodePage);
  if (!parent.empty() && parent != path && parent.size() > 2) ForceDirectories(parent);
  ::CreateDirectoryA(path.c_str(), nullptr);
  return FolderExists(path);
}

}  // namespace sys
