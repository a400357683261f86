// The system's process enumeration, bound at run time because older Windows versions lack
// parts of it: PSAPI ("PSAPI.dll") on the NT family, the ToolHelp snapshot (kernel32) on
// Windows 95, 98, ME and from Windows 2000 on. A missing function gives an empty result.
// Win32 (ProcessApi_win32.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sys {

// The ids of all processes, in the system's order (PSAPI).
std::vector<uint32_t> EnumProcessIds();

struct ProcessModuleNames {
  std::string FullPath;  // the program file
  std::string BaseName;  // its file name
};

// The names of the first module of the process (PSAPI); false when the process cannot be
// opened (another user's or a system process) or has no module.
bool ProcessModuleNamesOf(uint32_t ProcessId, ProcessModuleNames& Names);

struct SnapshotEntry {
  uint32_t ProcessId = 0;
  std::string ExeFile;  // a full path on Windows 95, 98 and ME, a file name on NT
};

// Every process of a ToolHelp snapshot, in snapshot order.
std::vector<SnapshotEntry> ProcessSnapshot();

}  // namespace sys
