// This file must contain only truly operating-system independent code.
#include "sys/Folders.h"

#include <vector>

namespace sys {

std::string FolderWithBackslash(const std::string& Folder, bool Closing,
                                LeadBytePredicate IsLeadByte) {
  std::vector<bool> trail = TrailBytes(Folder, IsLeadByte);
  size_t length = Folder.size();
  while (length > 0 && Folder[length - 1] == '\\' && !trail[length - 1]) --length;
  std::string folder = Folder.substr(0, length);
  if (Closing && !folder.empty()) folder += '\\';
  return folder;
}

std::string FolderOfPath(const std::string& Path, bool Closing, LeadBytePredicate IsLeadByte) {
  std::vector<bool> trail = TrailBytes(Path, IsLeadByte);
  for (size_t i = Path.size(); i > 0; --i) {
    if (Path[i - 1] == '\\' && !trail[i - 1])
      return FolderWithBackslash(Path.substr(0, i - 1), Closing, IsLeadByte);
  }
  return std::string();
}

std::string FileNameWithoutExtension(const std::string& Path, bool AllExtensions) {
  size_t separator = Path.find_last_of("\\/:");
  std::string name = separator == std::string::npos ? Path : Path.substr(separator + 1);
  size_t dot = AllExtensions ? name.find('.') : name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace sys
