// Win32 code.
#include "PackageFiles.h"

#include <cstring>

#include "sys/Files.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"
#include "sys/UtilsText.h"

namespace engine {
namespace {

bool IsDotEntry(const char* Name) {
  return !std::strcmp(Name, ".") || !std::strcmp(Name, "..");
}

void ListInto(const std::string& Folder, const std::string& Prefix,
              std::vector<TreeEntry>& Entries) {
  WIN32_FIND_DATAA found;
  sys::ScopedFindHandle find(::FindFirstFileA((Folder + "\\*").c_str(), &found));
  if (!find) return;
  do {
    if (IsDotEntry(found.cFileName)) continue;
    const std::string relative = Prefix + found.cFileName;
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    Entries.push_back({relative, isFolder});
    // A link could lead out of the package, or back into it without end.
    if (isFolder && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      ListInto(Folder + "\\" + found.cFileName, relative + "\\", Entries);
  } while (::FindNextFileA(find.Get(), &found));
}

bool IsSkipped(const TreeEntry& Entry, const std::vector<std::string>& Skipped) {
  if (Entry.relativePath.find('\\') != std::string::npos) return false;
  for (const std::string& name : Skipped)
    if (sys::EqualsNoCase(Entry.relativePath, name)) return true;
  return false;
}

}  // namespace

std::vector<TreeEntry> ListTree(const std::string& Folder) {
  std::vector<TreeEntry> entries;
  ListInto(Folder, "", entries);
  return entries;
}

bool CopyTree(const std::string& From, const std::string& To,
              const std::vector<std::string>& Skipped) {
  const std::vector<TreeEntry> entries = ListTree(From);
  bool complete = sys::ForceDirectories(To);
  for (const TreeEntry& entry : entries) {
    if (IsSkipped(entry, Skipped)) continue;
    const std::string target = To + "\\" + entry.relativePath;
    if (entry.isFolder) {
      complete = sys::ForceDirectories(target) && complete;
    } else {
      const std::string source = From + "\\" + entry.relativePath;
      complete = ::CopyFileA(source.c_str(), target.c_str(), FALSE) != 0 && complete;
    }
  }
  return complete;
}

}  // namespace engine
