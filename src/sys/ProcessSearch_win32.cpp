// This file must contain only Win32 code.
#include "sys/ProcessSearch.h"

#include <vector>

#include "sys/ExecPipe.h"
#include "sys/Platform.h"
#include "sys/ProcessApi.h"
#include "sys/ProcessTasklist.h"
#include "sys/ProcessViewer.h"
#include "sys/UtilsText.h"

namespace sys {
namespace {

uint32_t FindByTasklist(const ProcessTarget& Target) {
  std::string output, errors;
  uint32_t exitCode = 0;
  // The listing is read whatever the exit code says: a partial list still names processes.
  RunAndCapture("tasklist.exe", "/FO csv", SW_HIDE, nullptr, nullptr, 1, output, errors,
                exitCode);
  return FindPidInTasklist(output, Target.Path);
}

uint32_t FindByPsapi(const ProcessTarget& Target, bool FullPath) {
  std::vector<uint32_t> ids = EnumProcessIds();
  for (auto id = ids.rbegin(); id != ids.rend(); ++id) {
    ProcessModuleNames names;
    if (!ProcessModuleNamesOf(*id, names)) continue;
    ProcessCandidate candidate{names.FullPath, names.BaseName, ShortPathOf(names.FullPath)};
    if (ProcessMatches(Target, candidate, FullPath)) return *id;
  }
  return 0;
}

uint32_t FindByProcessList(const ProcessTarget& Target, bool FullPath) {
  // The list names programs by file name (or, on XP with FullPath, by full path), so the target
  // is reduced to its file name either way.
  std::string name = ProcessFileName(Target.Path);
  return FindIdInProcessList(GetProcessList(FullPath, true), name, ShortPathOf(name),
                             ShortPathOf);
}

uint32_t FindByToolHelp(const ProcessTarget& Target, bool FullPath) {
  uint32_t found = 0;
  for (const SnapshotEntry& entry : ProcessSnapshot()) {
    ProcessCandidate candidate{entry.ExeFile, ProcessFileName(entry.ExeFile),
                               ShortPathOf(entry.ExeFile)};
    if (ProcessMatches(Target, candidate, FullPath)) found = entry.ProcessId;
  }
  return found;
}

}  // namespace

std::string ShortPathOf(const std::string& Path) {
  if (Path.empty()) return std::string();
  char buffer[MAX_PATH];
  DWORD length = ::GetShortPathNameA(Path.c_str(), buffer, sizeof buffer);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

uint32_t FindProcessIdBy(ProcessSearch Search, const std::string& Path, bool FullPath) {
  ProcessTarget target{Unquote(Path), std::string()};
  if (target.Path.empty()) return 0;
  target.ShortPath = ShortPathOf(target.Path);
  switch (Search) {
    case ProcessSearch::Tasklist:
      return FindByTasklist(target);
    case ProcessSearch::Psapi:
      return FindByPsapi(target, FullPath);
    case ProcessSearch::ProcessList:
      return FindByProcessList(target, FullPath);
    case ProcessSearch::ToolHelp:
      return FindByToolHelp(target, FullPath);
  }
  return 0;
}

}  // namespace sys
