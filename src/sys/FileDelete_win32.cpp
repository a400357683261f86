// Deleting files by mask and whole folder trees.
// This file must contain only Win32 code.
#include "sys/Files.h"
#include "sys/FolderRemoval.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace sys {
namespace {

// The folder part of a search mask, with its closing separator, as found names are relative.
std::string FolderPartOf(const std::string& mask) {
  const size_t separator = mask.find_last_of("\\/:");
  return separator == std::string::npos ? std::string() : mask.substr(0, separator + 1);
}

bool PathExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsSubfolderEntry(const WIN32_FIND_DATAA& found) {
  const std::string name = found.cFileName;
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..";
}

// The path itself as the system describes it: attributes of a link are the link's own.
FolderRemoval HowToRemove(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  return HowToRemoveFolder(exists, exists && (attributes & FILE_ATTRIBUTE_DIRECTORY),
                           exists && (attributes & FILE_ATTRIBUTE_REPARSE_POINT));
}

void EmptyFolder(const std::string& folder, bool clearAttributes);

// Removes a folder found inside a tree (errors ignored); a real one is emptied first.
void RemoveFolder(const std::string& path, bool clearAttributes) {
  const FolderRemoval how = HowToRemove(path);
  if (how == FolderRemoval::kEmptyThenRemove) EmptyFolder(path, clearAttributes);
  if (how != FolderRemoval::kNone) ::RemoveDirectoryA(path.c_str());
}

void EmptyFolder(const std::string& folder, bool clearAttributes) {
  DeleteFiles(folder + "\\*.*", clearAttributes);
  WIN32_FIND_DATAA found{};
  ScopedFindHandle search(::FindFirstFileA((folder + "\\*.*").c_str(), &found));
  if (!search) return;
  do {
    if (IsSubfolderEntry(found)) RemoveFolder(folder + "\\" + found.cFileName, clearAttributes);
  } while (::FindNextFileA(search.Get(), &found));
}

}  // namespace

bool DeleteFiles(const std::string& mask, bool clearAttributes) {
  WIN32_FIND_DATAA found{};
  ScopedFindHandle search(::FindFirstFileA(mask.c_str(), &found));
  if (!search) return false;
  const std::string folder = FolderPartOf(mask);
  bool matched = false;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    matched = true;
    const std::string path = folder + found.cFileName;
    if (clearAttributes) ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
  } while (::FindNextFileA(search.Get(), &found));
  return matched;
}

bool DeleteTree(const std::string& folder, bool clearAttributes) {
  if (folder.empty()) return false;
  const bool existed = FolderExists(folder);
  RemoveFolder(folder, clearAttributes);
  return existed && !PathExists(folder);
}

}  // namespace sys
