// This file must contain only truly operating-system independent code.
#include "sys/ProcessSearch.h"

#include "sys/UtilsText.h"

namespace sys {

ProcessSearch WindowSearchFor(const WindowsVersion& V) {
  if (IsWindows8OrLaterVersion(V)) return ProcessSearch::Tasklist;
  if (IsNTVersion(V)) return ProcessSearch::Psapi;
  return ProcessSearch::ToolHelp;
}

ProcessSearch RunningSearchFor(const WindowsVersion& V) {
  return IsNTVersion(V) ? ProcessSearch::ProcessList : ProcessSearch::ToolHelp;
}

bool ProcessNamesMatch(const std::string& A, const std::string& B) {
  std::string a = Trim(A);
  return !a.empty() && UpperCase(a) == UpperCase(Trim(B));
}

bool ShortPathsMatch(const std::string& A, const std::string& B) {
  return ProcessNamesMatch(A, B);
}

std::string ProcessFileName(const std::string& Path) {
  size_t last = Path.find_last_of("\\/:");
  return last == std::string::npos ? Path : Path.substr(last + 1);
}

bool ProcessMatches(const ProcessTarget& Target, const ProcessCandidate& Candidate,
                    bool FullPath) {
  if (ProcessNamesMatch(Target.Path, Candidate.Program)) return true;
  if (!FullPath && ProcessNamesMatch(Target.Path, Candidate.BaseName)) return true;
  return ShortPathsMatch(Target.ShortPath, Candidate.ShortPath);
}

std::string SystemProcessName(uint32_t ProcessId, const WindowsVersion& V) {
  if (ProcessId == 0) return "System Idle Process";
  const bool nt4 = IsNTVersion(V) && V.Major == 4;
  const bool windows2000 = IsNTVersion(V) && V.Major == 5 && V.Minor == 0;
  if ((ProcessId == 2 && nt4) || (ProcessId == 8 && windows2000)) return "System Process";
  return std::string();
}

}  // namespace sys
