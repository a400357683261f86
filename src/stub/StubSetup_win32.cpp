// This file must contain only Win32 code.
#include "stub/StubSetup.h"

#include "agent/UpdateFiles.h"
#include "pack/GFileInfo.h"
#include "pack/UnPack.h"
#include "stub/EngineCommand.h"
#include "stub/ProgressSink.h"
#include "stub/StubGlob.h"
#include "stub/StubWin.h"
#include "stub/TempSpace.h"
#include "stub/UnPackWinHost.h"
#include "stub/WebSetup.h"
#include "stub/WorkFolder.h"
#include "sys/Files.h"
#include "sys/Host.h"
#include "sys/KoDebug.h"
#include "sys/Platform.h"
#include "sys/Process.h"
#include "sys/ProgramStart.h"
#include "sys/Pumping.h"
#include "sys/Registry.h"
#include "sys/ScopedHandle.h"
#include "sys/Switches.h"
#include "ui/KoMsgBox.h"
#include "ui/MsgBoxModel.h"

namespace stubsetup {
namespace {

const char kSpanDiskKey[] = "HKEY_CURRENT_USER\\Software\\Tollund\\Karst\\SpanDisk";

void ShowControl(void* window, bool show) {
  if (window) ::ShowWindow(static_cast<HWND>(window), show ? SW_SHOW : SW_HIDE);
}

bool HasRoom(const std::string& folder, const TGFileInfo& info) {
  return info.GetSpaceRequired(folder) < sys::DiskFree(folder) && sys::FolderExists(folder);
}

bool ForcePromptSetting() { return sys::RegReadString(kSpanDiskKey, "ForcePrompt", "0") == "1"; }

// The package as its caller gave it: by name, or also open as the caller checked it.
struct PackageFile {
  const std::string& path;
  const pack::ByteSource* checked;
};

struct Extracted {
  std::string runEntry;
  bool ok = false;
};

Extracted Extract(const TGFileInfo& info, const PackageFile& package,
                  const std::string& workFolder, const std::string& agentExeName) {
  pack::ExtractArgs args;
  args.PackagePath = package.path;
  args.FirstVolume = package.checked;
  args.DestFolder = workFolder;
  args.AgentExeName = agentExeName;
  args.ForcePrompt = ForcePromptSetting();
  args.Charset = info.GetCharset();
  args.ButtonTexts = info.GetLangString("BtnText", komsgbox::kDefaultButtonTexts);
  args.Caption = info.GetLangString("Attention", "Attention");
  args.DiskPrompt =
      info.GetLangString("s8", "Please insert <B>DISK #<DISK_NUM></B> and press OK to continue");
  args.Progress = stubwin::MainProgressSink;
  stubwin::UnPackWinHost host;
  const pack::ExtractResult result = pack::ExtractPackage(host, args);
  // A damaged compressed block: the package fails its checks like a bad volume.
  if (!result.ZlibError.empty()) kodebug::ConsoleProcessLine(" zlib: " + result.ZlibError);
  return Extracted{result.RunEntry, result.Ok};
}

// The product's shortcuts that the .info file asks to remove after a successful update.
struct Shortcuts {
  std::string startUp = au::original::StartUpLink();
  std::string checkForUpdate = au::original::CheckforNewUpdateLink();

  void RemoveAsAsked() const {
    if (au::info::RemoveStartUpShortcut() && !startUp.empty() && sys::FileExists(startUp))
      ::DeleteFileA(startUp.c_str());
    if (au::info::RemoveCheckForNewUpdateShortcut() && !checkForUpdate.empty() &&
        sys::FileExists(checkForUpdate))
      ::DeleteFileA(checkForUpdate.c_str());
  }
};

// Waits while the engine runs; its exit code, 0 when it cannot be read.
uint32_t WaitForEngine(HANDLE process) {
  DWORD code = 0;
  do {
    sys::DelayPumping(500);
  } while (process && ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE);
  return process && ::GetExitCodeProcess(process, &code) ? code : 0;
}

// True when the engine deleted the success atom.
bool RunEngine(const std::string& workFolder, const std::string& runEntry, bool foreground,
               const std::string& extraArguments) {
  EngineCommandInputs in;
  in.workFolder = workFolder;
  in.runEntry = runEntry;
  in.extraArguments = extraArguments;
  in.threadToken = ThreadToken(sys::ThreadId());
  in.exePath = sys::ProgramPath();
  in.isAgent = stubglob::ThisIs_AutoUpdateProg;
  const std::string commandLine = EngineCommandLine(in);
  const Shortcuts shortcuts;  // read before the engine can change them
  kodebug::ConsoleProcessLine(" ==== WinExec(Engine.exe) >>" + commandLine + "<<");
  const std::string atomName = SuccessAtomName(in.threadToken);
  ::GlobalAddAtomA(atomName.c_str());
  const sys::ScopedKernelHandle engine = sys::StartProgram(commandLine, foreground, EngineProgramPath(in));
  ShowControl(stubwin::MainWindowHandle(), false);
  sys::DelayPumping(1000);
  stubglob::ExitCode = WaitForEngine(engine.Get());
  sys::WaitWhileWindowExists(EngineDialogClass(in.threadToken), "");
  sys::DelayPumping(1000);
  const ATOM left = ::GlobalFindAtomA(atomName.c_str());
  if (left != 0) ::GlobalDeleteAtom(left);
  if (left == 0) shortcuts.RemoveAsAsked();
  return left == 0;
}

// Extraction and engine run once the space question is answered.
bool ExtractAndRun(const TGFileInfo& info, const std::string& workFolder,
                   const PackageFile& package, const std::string& agentExeName,
                   bool foreground, const std::string& extraArguments) {
  if (foreground) ShowControl(stubwin::MainWindowHandle(), true);
  sys::DelayPumping(1000);
  const Extracted extracted = Extract(info, package, workFolder, agentExeName);
  sys::DelayPumping(1000);
  bool succeeded = false;
  if (!extracted.runEntry.empty() && extracted.ok)
    succeeded = RunEngine(workFolder, extracted.runEntry, foreground, extraArguments);
  if (!extracted.ok)
    komsgbox::ErrorBox(0,
                       info.GetLangString("s7", "Bad CRC!<P>This indicates that your setup file "
                                                "might be corrupted..."),
                       info.GetLangString("Error", "Error"), info.GetCharset(),
                       info.GetLangString("BtnText", komsgbox::kDefaultButtonTexts));
  return succeeded;
}

}  // namespace

bool ExtractAndLaunch(const std::string& workFolder, const std::string& packageFile,
                      const std::string& agentExeName, bool foreground,
                      const std::string& extraArguments, const pack::ByteSource* checkedPackage) {
  TGFileInfo info;
  if (checkedPackage)
    info.Create(*checkedPackage);
  else
    info.Create(packageFile);
  if (info.ShowActivityBar()) ShowControl(stubwin::ActivityBarHandle(), true);
  stubwin::SetCaption(info.GetLangString("s1", "Extracting Files..."), info.GetFontName(),
                      info.GetCharset(), info.GetFontSize());
  std::string folder = workFolder;
  if (!HasRoom(folder, info) && stubglob::FindAltTempRoot() &&
      !stubglob::GetAltWorkFolder().empty())
    folder = stubglob::GetAltWorkFolder();
  kodebug::ConsoleLine(std::string("========= ForegroundOp=") + (foreground ? "TRUE" : "FALSE") +
                       " ==========");
  bool succeeded = false;
  // Without a folder of its own the package is not unpacked at all: an empty name would put
  // the files at the root of the current drive.
  if (folder.empty())
    kodebug::ConsoleProcessLine(" ExtractAndLaunch: no work folder");
  else if (!foreground || CheckTempSpace(folder, info))
    succeeded = ExtractAndRun(info, folder, {packageFile, checkedPackage}, agentExeName,
                              foreground, extraArguments);
  stubglob::RemoveAltWorkFolder();
  return succeeded;
}

void RunSetup() {
  const TGFileInfo& own = *stubglob::OwnFileInfo;
  if (own.IsWebSetup()) {
    RunWebBranch();
  } else {
    const std::string spanDisk = sys::GetSwitchValue("/SpanDiskFName1=", "");
    const std::string packageFile = spanDisk.empty() ? sys::ProgramPath() : spanDisk;
    const std::string agentExeName = own.MakeAgentCopy() ? own.GetProgramExeName() : "";
    const bool foreground = !sys::HasSwitch("/hide") && !own.GetHideSetup();
    ExtractAndLaunch(stubglob::GetWorkFolder(), packageFile, agentExeName, foreground,
                     sys::CommandTail());
  }
  sys::DeleteTree(stubglob::WorkFolderPath(), true);
  ::PostQuitMessage(0);
}

}  // namespace stubsetup
