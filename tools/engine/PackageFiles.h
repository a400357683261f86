// The files that the stub extracted beside the engine, and their copy into the target folder.
// Win32 code.
#pragma once

#include <string>
#include <vector>

namespace engine {

struct TreeEntry {
  std::string relativePath;  // below the listed folder, "\" between names
  bool isFolder = false;
};

// Every file and folder below Folder, each folder before its content. Linked folders
// (junctions, symbolic links) are listed but never entered.
std::vector<TreeEntry> ListTree(const std::string& Folder);

// Copies the tree below From into To, creating To and every folder as needed and replacing
// files that exist. Entries at the top of From whose names are in Skipped (without regard to
// case) stay behind: "Engine.exe" skips the engine itself but not "sub\Engine.exe". The list is
// taken before the first copy, so a target inside From is not copied into itself. True when
// every folder exists and every file was copied; a failure does not stop the other copies.
bool CopyTree(const std::string& From, const std::string& To,
              const std::vector<std::string>& Skipped);

}  // namespace engine
