// What an entry's name list says: the target file, its date and whether it is the run entry.
// Names come from the package and are untrusted: a name that would land outside the destination
// folder is refused. Names are read as the system will read them when it opens the files: with
// the lead-byte rule of its ANSI code page (null for a single-byte code page), so that the second
// byte of a double-byte character is never taken for a "\".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "sys/LeadBytes.h"

namespace pack {

struct EntryTarget {
  std::string fileName;  // relative to the destination folder, "\" between folders
  uint32_t dosDate = 0;  // 0: keep the date of the write
  bool setsRunEntry = false;
  std::string runEntry;  // the new run entry when setsRunEntry
};

// Reads a non-empty name list. Item 0 is the file name, optionally followed by "*" and the
// parameters of the program to run; item 1 the decimal DOS date-time. A "*" in a later item
// makes the whole list the run entry.
EntryTarget ReadEntryTarget(const std::string& nameList);

// True when name stays inside the folder it is relative to: not empty, no drive, stream or UNC
// part, no rooted path, no ".." climbing above the folder, no device name such as NUL or COM1,
// and no folder or file part that Windows would silently trim. A name that can be read in more
// than one way is refused too: one that ends with a lead byte, or whose lead byte is followed by
// a byte below 0x40 (no double-byte code page has such second bytes). Under code page 932
// "\x83\\a\\..\\..\\x" climbs out: "\x83\\" is one character, so "a" is no folder of its own.
bool IsSafeEntryName(const std::string& name, sys::LeadBytePredicate isLeadByte);

// The key under which safe names reach the same file of the destination folder: "." and ".."
// resolved, the letters a-z folded to A-Z, "\" between the folders. "sub\\..\\Engine.exe" and
// ".\\ENGINE.EXE" both give "ENGINE.EXE". Empty for a name that IsSafeEntryName refuses.
std::string EntryFileKey(const std::string& name, sys::LeadBytePredicate isLeadByte);

// The program a run entry names, relative to the destination folder: the trimmed text before
// its first "*", or the whole entry when it has none. "Engine.exe*/S" gives "Engine.exe".
std::string RunEntryProgram(const std::string& runEntry);

// Offset of the last "\", "/" or ":" of path that the system reads as one; npos when none.
size_t LastPathSeparator(const std::string& path, sys::LeadBytePredicate isLeadByte);
// The file-name part of a path: what follows its last separator.
std::string PathFileName(const std::string& path, sys::LeadBytePredicate isLeadByte);

}  // namespace pack
