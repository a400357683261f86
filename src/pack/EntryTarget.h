// What an entry's name list says: the target file, its date and whether it is the run entry.
// Names come from the package and are untrusted: a name that would land outside the destination
// folder is refused.
#pragma once

#include <cstdint>
#include <string>

namespace pack {

struct EntryTarget {
  std::string fileName;  // relative to the destination folder, "\" between folders
  uint32_t dosDate = 0;  // 0: keep the date of the write
  bool setsRunEntry = false;
  std::string runEntry;  // the new run entry when setsRunEntry
};

// Reads a non-empty name list. Item 0 is the file name, optionally followed by "*" and the
// parameters of the program to run; item 1 the decimal DOS date-time.
EntryTarget ReadEntryTarget(const std::string& nameList);

// True when name stays inside the folder it is relative to: not empty, no drive, stream or UNC
// part, no rooted path, no ".." climbing above the folder, no device name such as NUL or COM1,
// and no folder or file part that Windows would silently trim.
bool IsSafeEntryName(const std::string& name);

// The file-name part of a path: what follows the last "\", "/" or ":".
std::string PathFileName(const std::string& path);

}  // namespace pack
