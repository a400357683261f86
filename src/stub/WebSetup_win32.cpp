// This file must contain only Win32 code.
#include "stub/WebSetup.h"

#include "net/ErrorPage.h"
#include "net/InetHTTP.h"
#include "net/InetRules.h"
#include "pack/ByteSource.h"
#include "pack/GFileInfo.h"
#include "stub/ProgressSink.h"
#include "stub/StubGlob.h"
#include "stub/StubSetup.h"
#include "stub/StubWin.h"
#include "stub/WorkFolder.h"
#include "sys/Files.h"
#include "sys/Folders.h"
#include "sys/Host.h"
#include "sys/KoDebug.h"
#include "sys/Platform.h"
#include "sys/Pumping.h"
#include "sys/Switches.h"
#include "sys/SysError.h"
#include "ui/KoMsgBox.h"
#include "ui/MsgBoxModel.h"
#include "ui/KoProgBar.h"

namespace stubsetup {
namespace {

const TGFileInfo& Own() { return *stubglob::OwnFileInfo; }

bool Hidden() { return sys::HasSwitch("/hide") || Own().GetHideSetup(); }

void WriteAgentCopy() {
  if (stubglob::GetWorkFolder().empty()) return;  // never beside the root of the drive
  WriteWebAgentCopy(sys::ProgramPath(),
                    stubglob::GetWorkFolder() + "\\" + Own().GetProgramExeName());
}

// A file of the setup file's name in the temporary folder, left by an earlier run or put there by
// anyone, must never pass for the download: it goes before the download starts. The error text,
// empty when no such file remains.
std::string RemoveStaleSetupFile(const std::string& setupFile) {
  const char* path = setupFile.c_str();
  if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return "";
  ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);  // a read-only copy goes as well
  if (::DeleteFileA(path)) return "";
  return inethttp::ReplaceFailedText(setupFile, sys::SysErrorTextOf(::GetLastError()));
}

// Asks, checks the connection and downloads into the temporary folder; the error text, empty
// when the file arrived.
std::string Download(const std::string& url, const std::string& setupFile, bool hidden) {
  const TGFileInfo& own = Own();
  stubwin::SetCaption(own.GetLangString("s10", "Downloading File..."), own.GetFontName(),
                      own.GetCharset(), own.GetFontSize());
  const bool declined =
      own.ConfirmDownload() && !hidden &&
      !komsgbox::ConfirmYesNo(0, DownloadQuestion(own), own.GetLangString("Confirm", "Confirm"), 0,
                              own.GetCharset(),
                              own.GetLangString("BtnText", komsgbox::kDefaultButtonTexts));
  // A declined download needs no connection.
  std::string connectionError;
  const bool connected = declined || inethttp::IsInternetConnected(connectionError);
  std::string error = DownloadStartError(own, declined, connected, connectionError);
  inethttp::SetDownloadAbort(false);
  koprogbar::TProgBar& bar = koprogbar::EnsureProgressBar(
      stubwin::MainProgressSink, [](uint32_t ms) { sys::DelayPumping(ms); });
  if (error.empty()) error = RemoveStaleSetupFile(setupFile);
  if (error.empty()) {
    const uintptr_t owner =
        hidden ? 0 : reinterpret_cast<uintptr_t>(stubwin::MainWindowHandle());
    std::string content;
    inethttp::HTTP_DownloadFile_Incremental(owner, url, setupFile, &bar, content, error);
  }
  sys::DelayPumping(300);
  stubwin::MainProgressSink(koprogbar::kProgressRange, 10, "", 1, 0);
  sys::DelayPumping(700);
  return error;
}

// Empty when the setup file, as it is held open, has the checksum this stub keeps for it (or the
// stub keeps none); otherwise the error text.
std::string ChecksumError(const pack::ByteSource& held, const std::string& setupFile) {
  pack::CheckVerdict verdict = pack::CheckVerdict::kNotRequired;
  const std::string error = SetupChecksumError(Own(), held, verdict);
  if (verdict != pack::CheckVerdict::kNotRequired)
    kodebug::ConsoleProcessLine(" RunWebSetup() - SHA-256 of " + setupFile + ": " +
                                pack::CheckVerdictText(verdict));
  return error;
}

// Empty when the setup file, as it is held open, carries this stub's web-setup token; otherwise
// why not. A file that could not be held reads as one without a token.
std::string TokenError(const pack::ByteSource& held, const std::string& setupFile,
                       const std::string& url) {
  TGFileInfo setup;
  setup.Create(held);
  if (setup.SameWebSetupToken(Own())) return "";
  std::string message;
  inethttp::ErrorPageMessage(setupFile, "", url, message, "Bad Secret Token!");
  return message;
}

}  // namespace

bool WriteWebAgentCopy(const std::string& exePath, const std::string& copyPath) {
  // A program file is never empty: nothing read is a failed read, and gives no copy at all.
  const std::string exe = sys::ReadFileToString(exePath);
  if (exe.empty()) {
    kodebug::ConsoleProcessLine(" RunWebBranch() - No AU-Agent: " + copyPath + " (" + exePath +
                                " cannot be read: " + sys::SysErrorText() + ")");
    return false;
  }
  if (!sys::SaveFile(copyPath, WebAgentCopyImage(exe), sys::FileAge(exePath), false)) {
    const std::string why = sys::SysErrorText();
    // A partly written copy would be installed as a broken agent.
    ::DeleteFileA(copyPath.c_str());
    kodebug::ConsoleProcessLine(" RunWebBranch() - No AU-Agent: " + copyPath + " (" + why + ")");
    return false;
  }
  kodebug::ConsoleProcessLine(" New AU-Agent: " + copyPath);
  return true;
}

void RunWebBranch() {
  const TGFileInfo& own = Own();
  if (own.MakeAgentCopy() && !own.GetProgramExeName().empty()) WriteAgentCopy();
  const std::string exeFolder = sys::ProgramFolder(false);
  const std::string fileName = own.GetWebSetupFileName();
  const bool local = sys::FileExists(exeFolder + "\\" + fileName);
  RunWebSetup(stubglob::GetWorkFolder(), WebSetupSource(own, exeFolder, local), fileName);
}

void RunWebSetup(const std::string& workFolder, const std::string& source,
                 const std::string& fileName) {
  const bool hidden = Hidden();
  const std::string url = WebSetupUrl(source, fileName);
  std::string setupFile = sys::FolderWithBackslash(source, true) + fileName;
  std::string error;
  bool downloaded = false;
  if (!sys::FileExists(setupFile)) {
    setupFile = sys::TempFolder(true) + fileName;
    error = Download(url, setupFile, hidden);
    downloaded = error.empty();
  }
  if (error.empty()) {
    // The file that passes the check is the file that runs: it stays open, shared with readers
    // only, until its setup has run, and the extraction reads it through this very handle. A
    // file beside the stub or in the temporary folder can thus be neither written nor replaced
    // after the check.
    const pack::FileSource held(setupFile, sys::ReadSharing::kReadersOnly);
    error = ChecksumError(held, setupFile);
    if (error.empty()) error = TokenError(held, setupFile, url);
    if (error.empty())
      ExtractAndLaunch(workFolder, setupFile, "", !hidden, sys::CommandTail(), &held);
  }
  if (downloaded) ::DeleteFileA(setupFile.c_str());
  if (!error.empty() && error != kDownloadDeclined) {
    const TGFileInfo& own = Own();
    komsgbox::ErrorBox(0, error, own.GetLangString("Error", "Error"), own.GetCharset(),
                       own.GetLangString("BtnText", komsgbox::kDefaultButtonTexts));
  }
}

}  // namespace stubsetup
