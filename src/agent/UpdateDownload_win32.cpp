// DownloadFileAU and its helpers: the agent's fetches over the rules of UpdateDownload.h.
// This file must contain only Win32 code.
#include "agent/UpdateDownload.h"

#include "agent/AgentBoxes.h"
#include "agent/AgentHost.h"
#include "agent/AgentVars.h"
#include "agent/InformFile.h"
#include "agent/UpdateFiles.h"
#include "agent/UpdateVerify.h"
#include "net/ErrorPage.h"
#include "net/InetHTTP.h"
#include "net/InetRules.h"
#include "pack/EntryTarget.h"
#include "pack/GFileInfo.h"
#include "sys/Files.h"
#include "sys/Host.h"
#include "sys/KoDebug.h"
#include "sys/Platform.h"
#include "sys/Pumping.h"
#include "sys/SysError.h"
#include "sys/UtilsText.h"
#include "ui/KoProgBar.h"

using kodebug::DebugLog;

namespace au {
namespace {

// The pause before and after a web download, and between the steps of a local copy's animation.
constexpr uint32_t kAroundWebDownloadMs = 500;
constexpr uint32_t kAnimationStepMs = 300;
constexpr int kAnimationSteps = 10;

std::string FileNameOfPath(const std::string& Path) {
  return pack::PathFileName(Path, sys::IsLeadByteOfActiveCodePage);
}

std::string OwnToken() {
  const TGFileInfo* own = AgentPackage();
  return own ? own->GetProductToken(true) : std::string();
}

// The installation's own files, which no download may replace.
std::vector<std::string> InstallationFiles() {
  std::vector<std::string> files = {FileNameOfPath(sys::ProgramPath()),
                                    FileNameOfPath(kodebug::LogFileName())};
  if (const TGFileInfo* own = AgentPackage()) {
    files.push_back(own->GetProgramExeName());
    files.push_back("X_" + own->GetProgramExeName());
    files.push_back(own->GetOriginalFileName());
    files.push_back(own->GetInfoFileName());
  }
  return files;
}

// A file of the download's name left in the agent folder (an earlier update's, say) must never
// pass for the new one: it goes first. False when it stays.
bool RemoveEarlierFile(const std::string& Destination) {
  const char* path = Destination.c_str();
  if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return true;
  ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  return ::DeleteFileA(path) != FALSE;
}

// The progress bars of a visible update download from a folder: a copy is quick, so the bars
// show a short run of their own.
void AnimateLocalCopy() {
  AgentHost& host = Host();
  host.Progress(koprogbar::kProgressRange, kAnimationSteps, "", 1, 0);
  for (int i = 0; i < kAnimationSteps; ++i) {
    sys::DelayPumping(kAnimationStepMs);
    host.Progress(koprogbar::kProgressStep, 0, "", 0, 0);
  }
  host.Progress(koprogbar::kProgressRange, 0, "", 1, 0);
}

// A local source: the .info file into Content (up to the longest the agent keeps in memory),
// the other kinds copied to Destination when not empty. The error text; empty on success.
std::string TakeLocalFile(const std::string& Source, int Kind, const std::string& Destination,
                          bool Visible, std::string& Content) {
  if (Kind == kInfoDownload) {
    Content = sys::ReadFileToString(Source, inethttp::kLongestDownloadInMemory + 1);
    if (Content.size() <= inethttp::kLongestDownloadInMemory) return "";
    Content.clear();
    return inethttp::DownloadErrorText(FileNameOfPath(Source), inethttp::TooLongForMemoryDetail());
  }
  if (sys::GetFileSizeByName(Source) == 0 ||
      sys::EqualsNoCase(Source, Destination))  // the test-mode folder may be the agent folder itself
    return "";
  if (!::CopyFileA(Source.c_str(), Destination.c_str(), FALSE))
    return inethttp::DownloadErrorText(FileNameOfPath(Source), sys::SysErrorTextOf(::GetLastError()));
  if (Visible) AnimateLocalCopy();
  return "";
}

// A web source: into Content for the .info file, into Destination otherwise. The error text.
std::string FetchFromWeb(const std::string& Url, const std::string& Destination,
                         std::string& Content) {
  sys::DelayPumping(kAroundWebDownloadMs);
  inethttp::SetDownloadAbort(false);
  koprogbar::TProgBar& bar = koprogbar::EnsureProgressBar(
      [](int32_t kind, int32_t max, const std::string& text, int32_t step, int32_t position) {
        Host().Progress(kind, max, text, step, position);
      },
      [](uint32_t ms) { sys::DelayPumping(ms); });
  const uintptr_t window = Agent().userCheckMode == 1 ? Host().MainWindow() : 0;
  std::string error;
  inethttp::HTTP_DownloadFile_Incremental(window, Url, Destination, &bar, Content, error);
  sys::DelayPumping(kAroundWebDownloadMs);
  return error;
}

// The .info file's end of a download: the result, with the fetched text written beside the
// agent whatever came (a failed fetch leaves the file empty). A text that fails its signature
// check counts as not fetched: none of its values is ever read.
bool FinishInfoDownload(const std::string& Content, const std::string& Source, bool FromWeb,
                        std::string& ErrorText) {
  if (ErrorText.empty() && !Content.empty())
    inethttp::ErrorPageMessage("", Content, Source, ErrorText, "");
  bool fetched = ErrorText.empty() && !Content.empty();
  if (fetched) {
    const pack::CheckVerdict verdict = VerifyInfoContent(Content, Source, FromWeb);
    if (!pack::Passes(verdict)) {
      LogUnverified(verdict, Source);
      ErrorText = UnverifiedText();
      fetched = false;
    }
  }
  const std::string infoPath = GetInfoPath();
  if (!infoPath.empty()) sys::SaveFile(infoPath, fetched ? Content : std::string(), 0, false);
  if (!ErrorText.empty() && ErrorText[0] == '3') ErrorText.clear();
  return fetched;
}

// A fetched file that fails its checksum is deleted at once.
bool IsFetchedFileVerified(int Kind, const std::string& Destination) {
  pack::CheckVerdict verdict;
  {
    const pack::FileSource file(Destination, sys::ReadSharing::kReadersOnly);
    verdict = VerifyFetchedFile(Kind, file);
  }
  if (pack::Passes(verdict)) return true;
  ::DeleteFileA(Destination.c_str());
  ReportUnverified(verdict, Destination);
  return false;
}

// The update or inform file's end of a download: the token check, or what the user is told of
// the failure.
bool FinishFileDownload(int Kind, const std::string& Source, const std::string& Destination,
                        const std::string& ErrorText) {
  if (ErrorText.empty()) {
    if (SameProductToken(Destination, Kind)) return IsFetchedFileVerified(Kind, Destination);
    std::string message;
    inethttp::ErrorPageMessage(Destination, "", Source, message, "Bad Secret Token!");
    if (!Destination.empty()) ::DeleteFileA(Destination.c_str());
    DebugLog("ERROR: " + message);
    AgentErrorBox(kBoxWithHeading, message);
    return false;
  }
  if (Source.size() > 2 && info::RequestConfirmationBeforeDownload()) {
    const std::string message =
        DownloadFailureMessage(inethttp::DownloadAbortRequested(), Source, ReadAUText("s3"),
                               ReadAUText("s4"), ReadAUText("s5"));
    DebugLog("ATTENTION: " + message);
    AgentAttentionBox(kBoxWithHeading, message);
  }
  return false;
}

}  // namespace

void SetDownloadCaption(int Kind) {
  Host().SetCaption(ReadAUText(DownloadCaptionKey(Kind)), original::FontName(),
                    original::CharSet(), original::FontSize());
}

bool SameProductToken(const std::string& File, int Kind) {
  if (File.empty() || !sys::FileExists(File)) return false;
  if (Kind == kUpdateDownload) return TGFileInfo(File).GetProductToken(true) == OwnToken();
  if (Kind == kInformDownload)
    return SplitInformFile(sys::ReadFileToString(File, inethttp::kLongestDownloadInMemory)).token ==
           OwnToken();
  return false;
}

bool DownloadFileAU(const std::string& Folder, const std::string& FileName, int Kind,
                    std::string& ErrorText) {
  ErrorText.clear();
  std::string content;
  const AgentVars& vars = Agent();
  const DownloadSource from = DownloadSourceFor(Folder, FileName, vars.testMode, vars.testModeURL,
                                                sys::IsLeadByteOfActiveCodePage);
  std::string source = from.LocalPath();
  kodebug::ConsoleProcessLine(" DownloadFileAU: " + source);
  DebugLog(std::string("TestMode=") + kodebug::TrueFalse(vars.testMode));
  DebugLog("Download START: " + source);

  const bool visible = Kind == kUpdateDownload && info::RequestConfirmationBeforeDownload() &&
                       vars.userCheckMode != 1;
  if (visible) Host().ShowMainWindow(true);
  SetDownloadCaption(Kind);

  // The update and inform files land in the agent folder, under a name that replaces none of
  // the installation's files; a file there under that name from before goes first.
  std::string destination;
  bool canFetch = true;
  if (Kind != kInfoDownload) {
    canFetch = IsAcceptableDownloadName(from.name, InstallationFiles(),
                                        sys::IsLeadByteOfActiveCodePage);
    if (canFetch) destination = AgentFolder() + from.name;
    if (canFetch && !RemoveEarlierFile(destination)) {
      ErrorText = inethttp::ReplaceFailedText(destination, sys::SysErrorTextOf(::GetLastError()));
      canFetch = false;
    }
    if (!canFetch) DebugLog("Download refused: " + from.name);
  }
  // Without a folder there is no source: never a file at the root of the current drive.
  canFetch = canFetch && !from.folder.empty();
  if (canFetch && sys::FileExists(source)) {
    ErrorText = TakeLocalFile(source, Kind, destination, visible, content);
  } else if (canFetch && !vars.testMode && inethttp::IsInternetConnected()) {
    source = from.WebUrl();
    ErrorText = FetchFromWeb(source, destination, content);
  }
  if (visible) Host().ShowMainWindow(false);
  DebugLog("Download END:   " + source);

  if (Kind == kInfoDownload)
    return FinishInfoDownload(content, source, source != from.LocalPath(), ErrorText);
  return FinishFileDownload(Kind, source, destination, ErrorText);
}

bool IsDownloadSizeOK(const std::string& Folder, const std::string& UpdateName,
                      const std::string& InformName) {
  const bool inform = IsAutoInform();
  const int32_t expected = inform ? info::SizeOfInformFile() : info::SizeOfUpdateFile();
  const AgentVars& vars = Agent();
  const DownloadSource from = DownloadSourceFor(Folder, inform ? InformName : UpdateName,
                                                vars.testMode, vars.testModeURL,
                                                sys::IsLeadByteOfActiveCodePage);
  std::string source = from.LocalPath();
  int64_t actual = -1;
  const bool hasFolder = !from.folder.empty();  // without one there is no source
  if (hasFolder && sys::FileExists(source)) {
    actual = static_cast<int64_t>(sys::GetFileSizeByName(source) & 0xFFFFFFFFu);
  } else if (hasFolder && !vars.testMode && inethttp::IsInternetConnected()) {
    source = from.WebUrl();
    actual = inethttp::HTTP_GetFileSize(source);
  }
  const bool ok = SizeWithinTolerance(actual, expected);
  if (!ok) {
    DebugLog("  InfoSize=" + std::to_string(expected));
    DebugLog("  HttpSize=" + std::to_string(actual));
    DebugLog("  URL=" + source);
  }
  return ok;
}

}  // namespace au
