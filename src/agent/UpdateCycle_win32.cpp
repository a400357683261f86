// This file must contain only Win32 code.
#include "agent/UpdateCycle.h"

#include "agent/AgentBoxes.h"
#include "agent/AgentHost.h"
#include "agent/AgentVars.h"
#include "agent/TransientFlags.h"
#include "agent/UpdateCycleRules.h"
#include "agent/UpdateDownload.h"
#include "agent/UpdateFiles.h"
#include "agent/UpdateVerify.h"
#include "pack/ByteSource.h"
#include "pack/GFileInfo.h"
#include "paths/Placeholders.h"
#include "sys/KoDebug.h"
#include "sys/Platform.h"
#include "sys/Process.h"
#include "sys/ProgramStart.h"
#include "sys/Pumping.h"

using kodebug::ConsoleProcessLine;
using kodebug::DebugLog;

namespace au {
namespace {

std::string Text(const std::string& key) { return ReadAUText(key, ""); }

// Asks before a step, or only tells when the step is forced; true to go on.
bool AskOrTell(bool forced, const std::string& text) {
  if (!forced) return AgentConfirm(kBoxWithHeading, text);
  AgentAttentionBox(kBoxWithoutClose, text);
  return true;
}

bool UserAskedForThisCheck() { return Agent().userCheckMode == 1; }

// The product's program file, with the installation's folders in place of its placeholders.
std::string ProductPath() {
  paths::SetInstallFolders(original::TargetDir(), original::SharedDir(), original::AuxiliaryDir());
  return paths::ExpandPlaceholders(info::RunningProcess());
}

// Stops the running product the way the .info file names; true when it ran before and runs no
// longer.
bool StopProduct(const std::string& product) {
  const std::string method = info::ShutDownMethod();
  const bool wasRunning = sys::IsProcessRunning(product);
  DebugLog("Shut Down Process() - START  (" + product + ")  Method: " + method);
  const ShutDown how = ShutDownMethodOf(method);
  if (how == ShutDown::kMessageBox) {
    const size_t slash = product.find_last_of("\\/:");
    const std::string text = WithProgName(Text("s15"), product.substr(slash + 1));
    kodebug::ConsoleLine("s1=" + text + "<");
    while (sys::IsProcessRunning(product)) AgentAttentionBox(kBoxWithHeading, text);
  }
  ConsoleProcessLine(" ==== PerformAutoUpdate-8 ====");
  if (how == ShutDown::kClose) sys::CloseProcess(product, true, 0);
  if (how == ShutDown::kQuit) sys::QuitProcess(product, true);
  if (how == ShutDown::kTerminate) sys::KillProcess(product, true);
  if (how != ShutDown::kDontShutDown) sys::WaitProcessEnd(product, 0);
  ConsoleProcessLine(" ==== PerformAutoUpdate-9 ====");
  DebugLog("Shut Down Process() - END");
  return wasRunning && !sys::IsProcessRunning(product);
}

// Runs the fetched update file. It is held open, shared with readers only, from its token and
// checksum checks to the end of its run: what runs is what was checked.
bool RunUpdateFile(const std::string& updateFile) {
  const pack::FileSource held(updateFile, sys::ReadSharing::kReadersOnly);
  TGFileInfo update;
  update.Create(held);
  const TGFileInfo* own = AgentPackage();
  if (!held.IsOpen() || !own || update.GetProductToken(true) != own->GetProductToken(true)) {
    DebugLog("ERROR: the update file changed after its check: " + updateFile);
    return false;
  }
  const pack::CheckVerdict verdict = VerifyFetchedFile(kUpdateDownload, held);
  if (!pack::Passes(verdict)) {
    LogUnverified(verdict, updateFile);
    return false;
  }
  const std::string arguments = "/OriginalInfoFile=\"" + GetInfoPath() + "\"";
  return Host().RunUpdate(held, updateFile, !info::BackgroundUpdate(), arguments);
}

// The notice after the update, and whether the user lets the product start again.
bool TellTheOutcome(bool succeeded, bool restart) {
  const std::string done = WithProgName(Text("s16"), info::ProgramName());
  if (!succeeded || !(info::InformFinish() || UserAskedForThisCheck())) return true;
  if (restart) return AgentConfirm(kBoxWithoutHeading, done + Text("s17"));
  AgentAttentionBox(kBoxWithoutHeading, done);
  return true;
}

bool UpdateFromDownloadOn(bool& FetchFailed) {
  ConsoleProcessLine(" ==== PerformAutoUpdate-6 ====");
  AgentVars& vars = Agent();
  vars.AgentState = 2;
  Host().NotifyListener(kNotifyFileDownload, 1);
  std::string error;
  FetchReport fetch;
  bool fetched = DownloadFileAU(info::DownloadURL_UPDATE(), info::NameOfUpdateFile(),
                                kUpdateDownload, error, &fetch);
  Host().NotifyListener(kNotifyFileDownload, 2);
  FetchFailed = !fetched;
  if (fetched && info::RequestConfirmationBeforeInstall() && !UserAskedForThisCheck())
    fetched = AskOrTell(info::RequestConfirmationBeforeInstallForce(),
                        InstallQuestion(Text, info::RequestConfirmationBeforeInstallForce(),
                                        info::ProgramName()));
  sys::DelayPumping(100);
  if (!fetched) return false;  // a refused update file stays in the agent folder

  ConsoleProcessLine(" ==== PerformAutoUpdate-7 ====");
  const std::string product = ProductPath();
  const bool stopped = StopProduct(product);
  const bool restart = info::RestartProcess() && stopped;

  const std::string& updateFile = fetch.path;
  vars.AgentState = 3;
  Host().NotifyListener(kNotifyUpdateRun, 1);
  ConsoleProcessLine(" ==== PerformAutoUpdate-10 ====");
  const bool succeeded = RunUpdateFile(updateFile);
  ConsoleProcessLine(" ==== PerformAutoUpdate-11 ====");
  Host().NotifyListener(kNotifyUpdateRun, 2);
  if (succeeded) original::SetVersionOriginal(info::VersionNew());
  if (!fetch.inPlace) ::DeleteFileA(updateFile.c_str());  // a file published here stays

  const bool restartAllowed = TellTheOutcome(succeeded, restart);
  ConsoleProcessLine(" ==== PerformAutoUpdate-12 ====");
  kodebug::ConsoleLine(std::string(kodebug::TrueFalse(restart)) + " " + kodebug::TrueFalse(restartAllowed) + " >" +
                       product + "<");
  if (restart && restartAllowed) sys::StartProgram("\"" + product + "\"", true, product);
  return succeeded;
}

}  // namespace

bool PerformAutoUpdate(bool* FetchFailed) {
  DebugLog("PerformAutoUpdate() - START");
  bool fetchFailed = false;
  ConsoleProcessLine(" ==== PerformAutoUpdate-4 ====");
  bool result = false;
  if (!info::DownloadURL_UPDATE().empty() && !info::NameOfUpdateFile().empty()) {
    ConsoleProcessLine(" ==== PerformAutoUpdate-5 ====");
    bool goOn = true;
    if (info::RequestConfirmationBeforeDownload() && !UserAskedForThisCheck()) {
      const bool forced = info::RequestConfirmationBeforeDownloadForce();
      goOn = AskOrTell(forced, DownloadQuestion(Text, info::RequestConfirmationBeforeInstall(),
                                                forced, info::ProgramName()));
    }
    sys::DelayPumping(500);
    if (goOn) result = UpdateFromDownloadOn(fetchFailed);
  }
  if (FetchFailed) *FetchFailed = fetchFailed;
  ConsoleProcessLine(" ==== PerformAutoUpdate-13 ====");
  DebugLog(std::string("PerformAutoUpdate() - END    Result=") + kodebug::TrueFalse(result));
  return result;
}

void ReStartAutoUpdateExe() {
  DebugLog(".. ReStartAutoUpdateExe() - Start");
  const TGFileInfo* own = AgentPackage();
  if (own && Agent().stopCountdown <= 0) {
    const std::string command =
        RestartCommand(AgentFolder(), own->GetProgramExeName(), FormatTransientFlags());
    DebugLog(".. WinExec - " + command);
    const std::string agent = AgentFolder() + own->GetProgramExeName();
    sys::StartProgram("\"" + agent + "\"" + command.substr(agent.size()), false, agent);
    sys::DelayPumping(1000);
    DebugLog(".. PostMessage(WM_DESTROY)");
    ::PostMessageA(reinterpret_cast<HWND>(Host().MainWindow()), WM_DESTROY, 0, 0);
  }
  DebugLog(".. ReStartAutoUpdateExe() - End");
}

}  // namespace au
