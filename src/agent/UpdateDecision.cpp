// This file must contain only truly operating-system independent code.
#include "agent/UpdateDecision.h"

#include "agent/UpdateFiles.h"
#include "sys/KoSUB.h"

namespace au {

std::string DecisionText(int Code) {
  static const char kTexts[] =
      "|Error downloading .INFO file|Error reading .ORIGINAL file|Too early for retesting"
      "|New version is not higher then old version|\"Valid for version\" mismatch"
      "|Download file size error|OK|";
  return Code < 0 ? std::string() : sys::SUB::GetItem(kTexts, Code);
}

bool IsReAskDue(int64_t Now) {
  const int64_t interval = original::ReAskSecondsInterval();
  if (interval <= 0) return false;
  int64_t due = 0;
  // A sum beyond the 64-bit range lies beyond every clock: not yet due.
  if (__builtin_add_overflow(original::ReAskSecondsLast(), interval, &due)) return false;
  return Now > due;
}

bool IsValidVersion() {
  const std::string valid = info::ValidVersions();
  if (valid.empty()) return true;
  const std::string installed = "," + std::to_string(original::VersionOriginal()) + ",";
  return ("," + valid + ",").find(installed) != std::string::npos;
}

int UpdateDecisionCode(bool InfoFetched, bool UserAsked, int64_t Now,
                       const std::function<bool()>& DownloadSizeOK) {
  if (!InfoFetched) return kInfoNotFetched;
  if (original::VersionOriginal() <= 0) return kOriginalUnreadable;
  if (info::Stamp() == original::Stamp() && !IsReAskDue(Now) && !UserAsked) return kTooEarly;
  if (info::VersionNew() <= original::VersionOriginal()) return kNotHigher;
  if (!IsValidVersion()) return kVersionMismatch;
  if (!DownloadSizeOK()) return kSizeMismatch;
  return kDecisionOK;
}

}  // namespace au
