// PerformAutoInform: fetch the notice, check that it is the product's, show it, record it.
// This file must contain only Win32 code.
#include "agent/AutoInform.h"

#include "agent/AgentHost.h"
#include "agent/AgentVars.h"
#include "agent/InformFile.h"
#include "agent/StubInformDlg.h"
#include "agent/UpdateDownload.h"
#include "agent/UpdateFiles.h"
#include "agent/UpdateVerify.h"
#include "net/InetRules.h"
#include "sys/Files.h"
#include "sys/KoDebug.h"
#include "sys/Platform.h"

namespace au {
namespace {

constexpr intptr_t kBeforeFetch = 1;
constexpr intptr_t kAfterFetch = 2;
constexpr int32_t kFetchingState = 2;

// The notice as the download left it in the agent folder, read no further than the token check
// read it, so the text shown is the text checked.
std::string FetchedNotice(const std::string& Path) {
  return sys::ReadFileToString(Path, inethttp::kLongestDownloadInMemory);
}

bool FetchNotice(const std::string& Folder, const std::string& Name, FetchReport& Fetch) {
  kodebug::ConsoleProcessLine(" ==== PerformAutoInform-2 ====");
  Agent().AgentState = kFetchingState;
  Host().NotifyListener(kNotifyFileDownload, kBeforeFetch);
  std::string error;
  const bool fetched = DownloadFileAU(Folder, Name, kInformDownload, error, &Fetch);
  Host().NotifyListener(kNotifyFileDownload, kAfterFetch);
  return fetched;
}

bool ShowNotice(const FetchReport& Fetch, bool& FetchFailed) {
  kodebug::ConsoleProcessLine(" ==== PerformAutoInform-3 ====");
  const std::string fetched = FetchedNotice(Fetch.path);
  const pack::CheckVerdict verdict = VerifyFetchedFile(kInformDownload, pack::MemorySource(fetched));
  if (!pack::Passes(verdict)) {
    if (!Fetch.inPlace) ::DeleteFileA(Fetch.path.c_str());
    ReportUnverified(verdict, Fetch.path);
    FetchFailed = true;
    return false;
  }
  const InformParts notice = SplitInformFile(fetched);
  const bool shown =
      ShowInform(Host().MainWindow(), ReadAUText("s34"), ReadAUText("s35"), original::CharSet(),
                 original::FontSize(), original::FontName(), false, info::AutoInformH(),
                 info::AutoInformW(), info::DownloadURL_INFORM(), notice.body);
  if (shown) original::SetVersionOriginal(info::VersionNew());
  kodebug::ConsoleProcessLine(" ==== PerformAutoInform-4 ====");
  return shown;
}

}  // namespace

bool PerformAutoInform(bool* FetchFailed) {
  kodebug::DebugLog("PerformAutoInform() - START ");
  kodebug::ConsoleProcessLine(" ==== PerformAutoInform-1 ====");
  const std::string folder = info::DownloadURL_UPDATE();
  const std::string name = info::NameOfInformFile();
  bool fetchFailed = false;
  FetchReport fetch;
  bool result = false;
  if (!folder.empty() && !name.empty()) {
    fetchFailed = !FetchNotice(folder, name, fetch);
    result = !fetchFailed && ShowNotice(fetch, fetchFailed);
  }
  if (FetchFailed) *FetchFailed = fetchFailed;
  kodebug::DebugLog(std::string("PerformAutoInform() - END ") + (result ? "TRUE" : "FALSE"));
  return result;
}

}  // namespace au
