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

// Where a fetch takes its file from.
enum class Origin { kNone, kLocal, kWeb };

// The source rule: the local file when it exists, else the web when not in test mode and on
// line. Without a folder there is no source: never a file at the root of the current drive.
Origin OriginOf(const DownloadSource& From, const AgentVars& Vars) {
  if (From.folder.empty()) return Origin::kNone;
  if (sys::FileExists(From.LocalPath())) return Origin::kLocal;
  if (!Vars.testMode && inethttp::IsInternetConnected()) return Origin::kWeb;
  return Origin::kNone;
}

// The installation's own files, which no download may replace: their names, for the text test
// of a name, and their paths, for the test of identity that catches every other spelling.
std::vector<std::string> InstallationFiles() {
  std::vector<std::string> files = {FileNameOfPath(sys::ProgramPath()),
                                    FileNameOfPath(kodebug::LogFileName())};
  if (const TGFileInfo* own = AgentPackage()) {
    files.push_back(own->GetProgramExeName());
    files.push_back("X_" + own->GetProgramExeName());
    files.push_back(own->GetOriginalFileName());
    files.push_back(own->GetInfoFileName());
    files.push_back(own->GetInfoFileName() + ".sig");
  }
  return files;
}

bool IsInstallationFile(const std::string& Path) {
  if (sys::SameFile(Path, sys::ProgramPath())) return true;
  for (const std::string& name : InstallationFiles())
    if (sys::SameFile(Path, AgentFolder() + name)) return true;
  return false;
}

// Where a fetched update or inform file goes, and how it gets there.
struct Landing {
  std::string destination;  // agent folder + the file's name
  std::string staging;      // where it is fetched to and checked
  bool InPlace() const { return staging == destination; }
};

// Chooses the landing of a fetch of Name from LocalSource (empty for a web source). False, with
// the reason in ErrorText, when the fetch may not land: a name or a file the installation owns,
// or a file of that name that is no earlier download of this product.
bool PrepareLanding(const std::string& Name, int Kind, const std::string& LocalSource,
                    Landing& L, std::string& ErrorText) {
  if (!IsAcceptableDownloadName(Name, InstallationFiles(), sys::IsLeadByteOfActiveCodePage)) {
    ErrorText = "Download refused: " + Name + " is no plain file name outside the installation";
    return false;
  }
  L.destination = FetchedFilePath(AgentFolder(), Name, sys::IsLeadByteOfActiveCodePage);
  if (IsInstallationFile(L.destination)) {
    ErrorText = "Download refused: " + L.destination + " is one of the installation's files";
    return false;
  }
  // Published in the agent folder itself: the file is already where it goes.
  if (!LocalSource.empty() && sys::SameFile(LocalSource, L.destination)) {
    L.staging = L.destination;
    return true;
  }
  if (sys::FileExists(L.destination) && !SameProductToken(L.destination, Kind)) {
    ErrorText = "Download refused: " + L.destination + " is no earlier download of this product";
    return false;
  }
  L.staging = StagingName(L.destination);
  inethttp::DeleteDownloadLeftovers(L.destination);  // an interrupted run's staging file too
  return true;
}

// The staging file goes unless it is the published file itself.
void DiscardStaging(const Landing& L) {
  if (L.staging.empty() || L.InPlace()) return;
  ::SetFileAttributesA(L.staging.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileA(L.staging.c_str());
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

// The .info file from a local source, up to the longest the agent keeps in memory. The error
// text; empty on success.
std::string ReadLocalInfo(const std::string& Source, std::string& Content) {
  Content = sys::ReadFileToString(Source, inethttp::kLongestDownloadInMemory + 1);
  if (Content.size() <= inethttp::kLongestDownloadInMemory) return "";
  Content.clear();
  return inethttp::DownloadErrorText(FileNameOfPath(Source), inethttp::TooLongForMemoryDetail());
}

// An update or inform file from a local source, copied to its staging name. The error text.
std::string CopyLocalFile(const std::string& Source, const Landing& L, bool Visible) {
  if (L.InPlace()) return "";
  if (!::CopyFileA(Source.c_str(), L.staging.c_str(), FALSE))
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

// The .info file as a check wrote it, held while a check runs (InfoFileHold).
sys::HeldFile g_heldInfo;
int g_infoHolds = 0;

// Writes the fetched .info text beside the agent, held against other writers while a check
// runs. False when not every byte could be written: values read back from the file would not be
// those that were fetched and verified.
bool StoreInfo(const std::string& Content) {
  const std::string infoPath = GetInfoPath();
  if (infoPath.empty()) return true;
  const bool stored = g_heldInfo.Write(infoPath, Content);
  if (!stored || g_infoHolds == 0) g_heldInfo.Release();
  return stored;
}

// The .info file's end of a download: the result, with the fetched text written beside the
// agent (a failed fetch leaves the file empty). A text that fails its signature check, or that
// cannot be written as it came, counts as not fetched: none of its values is ever read.
bool FinishInfoDownload(const std::string& Content, const std::string& Source, bool FromWeb,
                        std::string& ErrorText, FetchFailure& Failure) {
  if (ErrorText.empty() && !Content.empty()) {
    inethttp::ErrorPageMessage("", Content, Source, ErrorText, "");
    if (!ErrorText.empty()) Failure = FetchFailure::kErrorPage;
  }
  bool fetched = ErrorText.empty() && !Content.empty();
  if (fetched) {
    const pack::CheckVerdict verdict = VerifyInfoContent(Content, Source, FromWeb);
    if (!pack::Passes(verdict)) {
      LogUnverified(verdict, Source);
      ErrorText = UnverifiedText();
      Failure = FetchFailure::kUnverified;
      fetched = false;
    }
  }
  if (fetched && !StoreInfo(Content)) {
    ErrorText = inethttp::ReplaceFailedText(GetInfoPath(), sys::SysErrorTextOf(::GetLastError()));
    Failure = FetchFailure::kNotSaved;
    fetched = false;
  }
  if (!fetched) {
    g_heldInfo.Release();
    const std::string infoPath = GetInfoPath();
    if (!infoPath.empty()) sys::SaveFile(infoPath, std::string(), 0, false);
  }
  if (!ErrorText.empty()) DebugLog("ERROR: " + ErrorText);
  return fetched;
}

// The fetched file against its published checksum; one that fails is deleted at once.
bool IsFetchedFileVerified(int Kind, const Landing& L) {
  pack::CheckVerdict verdict;
  {
    const pack::FileSource file(L.staging, sys::ReadSharing::kReadersOnly);
    verdict = VerifyFetchedFile(Kind, file);
  }
  if (pack::Passes(verdict)) return true;
  DiscardStaging(L);
  ReportUnverified(verdict, L.staging);
  return false;
}

// What the user is told of a failed update download: when the .info file asks for confirmation
// or the user asked for this check, never otherwise.
void TellFailedDownload(const std::string& Source) {
  if (Source.size() <= 2) return;
  if (!info::RequestConfirmationBeforeDownload() && Agent().userCheckMode != 1) return;
  const std::string message =
      DownloadFailureMessage(inethttp::DownloadAbortRequested(), Source, ReadAUText("s3"),
                             ReadAUText("s4"), ReadAUText("s5"));
  DebugLog("ATTENTION: " + message);
  AgentAttentionBox(kBoxWithHeading, message);
}

// A fetched file that is not the product's: an error page reported as a missing file, anything
// else as a bad token, in a box whatever the flags say.
void ReportWrongToken(const Landing& L, const std::string& Source) {
  std::string message;
  inethttp::ErrorPageMessage(L.staging, "", Source, message, "Bad Secret Token!");
  DiscardStaging(L);
  DebugLog("ERROR: " + message);
  AgentErrorBox(kBoxWithHeading, message);
}

// The fetched and checked file takes its place; an earlier download of that name goes only now.
bool PutInPlace(const Landing& L, std::string& ErrorText) {
  if (L.InPlace() ||
      ::MoveFileExA(L.staging.c_str(), L.destination.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  ErrorText = inethttp::ReplaceFailedText(L.destination, sys::SysErrorTextOf(::GetLastError()));
  DebugLog("ERROR: " + ErrorText);
  DiscardStaging(L);
  return false;
}

// The update or inform file's end of a download: the token and checksum checks on the staging
// file, then its move into place, or what the user is told of the failure.
bool FinishFileDownload(int Kind, const std::string& Source, const Landing& L,
                        std::string& ErrorText, FetchFailure& Failure) {
  if (!ErrorText.empty()) {
    DebugLog("ERROR: " + ErrorText);
    DiscardStaging(L);
    TellFailedDownload(Source);
    return false;
  }
  if (!SameProductToken(L.staging, Kind)) {
    Failure = FetchFailure::kWrongToken;
    ReportWrongToken(L, Source);
    return false;
  }
  if (!IsFetchedFileVerified(Kind, L)) {
    Failure = FetchFailure::kUnverified;
    return false;
  }
  if (!PutInPlace(L, ErrorText)) {
    Failure = FetchFailure::kNotSaved;
    return false;
  }
  return true;
}

// Kinds 2 and 3: the file from its origin to its landing, checked there.
bool FetchFile(const DownloadSource& From, Origin Where, int Kind, bool Visible,
               std::string& Source, std::string& ErrorText, FetchReport& Report) {
  Landing landing;
  const std::string local = Where == Origin::kLocal ? Source : std::string();
  if (!PrepareLanding(From.name, Kind, local, landing, ErrorText)) {
    Report.failure = FetchFailure::kRefused;
  } else if (Where == Origin::kLocal) {
    ErrorText = CopyLocalFile(Source, landing, Visible);
  } else if (Where == Origin::kWeb) {
    Source = From.WebUrl();
    std::string unused;
    ErrorText = FetchFromWeb(Source, landing.staging, unused);
  } else {
    ErrorText = NoSourceText(From, Agent().testMode);
    Report.failure = FetchFailure::kNoSource;
    if (!Agent().testMode && !From.folder.empty()) Source = From.WebUrl();
  }
  if (!ErrorText.empty() && Report.failure == FetchFailure::kNone)
    Report.failure = FetchFailure::kTransfer;
  if (Visible) Host().ShowMainWindow(false);
  DebugLog("Download END:   " + Source);
  if (!FinishFileDownload(Kind, Source, landing, ErrorText, Report.failure)) return false;
  Report.path = landing.destination;
  Report.inPlace = landing.InPlace();
  return true;
}

// Kind 1: the .info text from its origin, verified and written beside the agent.
bool FetchInfo(const DownloadSource& From, Origin Where, std::string& Source,
               std::string& ErrorText, FetchReport& Report) {
  std::string content;
  if (Where == Origin::kLocal) {
    ErrorText = ReadLocalInfo(Source, content);
  } else if (Where == Origin::kWeb) {
    Source = From.WebUrl();
    ErrorText = FetchFromWeb(Source, "", content);
  } else {
    Report.failure = FetchFailure::kNoSource;
  }
  if (!ErrorText.empty()) Report.failure = FetchFailure::kTransfer;
  DebugLog("Download END:   " + Source);
  return FinishInfoDownload(content, Source, Where == Origin::kWeb, ErrorText, Report.failure);
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
                    std::string& ErrorText, FetchReport* Report) {
  ErrorText.clear();
  FetchReport report;
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
  const Origin where = OriginOf(from, vars);
  const bool fetched = Kind == kInfoDownload
                           ? FetchInfo(from, where, source, ErrorText, report)
                           : FetchFile(from, where, Kind, visible, source, ErrorText, report);
  if (Report) *Report = report;
  return fetched;
}

InfoFileHold::InfoFileHold() { ++g_infoHolds; }

InfoFileHold::~InfoFileHold() {
  if (--g_infoHolds == 0) g_heldInfo.Release();
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
  const Origin where = OriginOf(from, vars);
  if (where == Origin::kLocal) {
    actual = static_cast<int64_t>(sys::GetFileSizeByName(source) & 0xFFFFFFFFu);
  } else if (where == Origin::kWeb) {
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
