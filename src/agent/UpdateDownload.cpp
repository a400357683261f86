// This file must contain only truly operating-system independent code.
#include "agent/UpdateDownload.h"

#include <cstdlib>

#include "pack/EntryTarget.h"
#include "sys/UtilsText.h"

namespace au {

DownloadSource DownloadSourceFor(const std::string& Folder, const std::string& FileName,
                                 bool TestMode, const std::string& TestModeURL,
                                 sys::LeadBytePredicate IsLeadByte) {
  return DownloadSource{pack::PathFileName(FileName, IsLeadByte), TestMode ? TestModeURL : Folder};
}

bool IsAcceptableDownloadName(const std::string& Name, const std::vector<std::string>& OwnFiles,
                              sys::LeadBytePredicate IsLeadByte) {
  if (!pack::IsSafeEntryName(Name, IsLeadByte)) return false;
  if (pack::LastPathSeparator(Name, IsLeadByte) != std::string::npos) return false;
  const std::string key = pack::EntryFileKey(Name, IsLeadByte);
  for (const std::string& own : OwnFiles)
    if (!own.empty() && key == pack::EntryFileKey(own, IsLeadByte)) return false;
  return true;
}

std::string FetchedFilePath(const std::string& AgentFolder, const std::string& FileName,
                            sys::LeadBytePredicate IsLeadByte) {
  return AgentFolder + pack::PathFileName(FileName, IsLeadByte);
}

std::string StagingName(const std::string& Destination) { return Destination + ".0"; }

std::string NoSourceText(const DownloadSource& From, bool TestMode) {
  if (From.folder.empty()) return "No source: no folder is named for " + From.name;
  return "No source: " + From.LocalPath() + " does not exist" + (TestMode ? " (test mode: nothing is fetched from the web)"
                          : " and the web cannot be reached");
}

std::string DownloadCaptionKey(int Kind) {
  switch (Kind) {
    case kInfoDownload: return "s31";
    case kUpdateDownload: return "s32";
    case kInformDownload: return "s33";
  }
  return "";
}

std::string DownloadFailureMessage(bool Aborted, const std::string& Source, const std::string& S3,
                                   const std::string& S4, const std::string& S5) {
  if (Aborted) return S3;
  const bool folder = (Source.size() > 1 && Source[1] == ':') || Source.compare(0, 2, "\\\\") == 0;
  return Source + "<P><P>" + (folder ? S4 : S5);
}

bool SizeWithinTolerance(int64_t Actual, int32_t Expected) {
  const int32_t difference =
      static_cast<int32_t>(static_cast<uint32_t>(Actual) - static_cast<uint32_t>(Expected));
  return std::llabs(static_cast<long long>(difference)) < 100;
}

}  // namespace au
