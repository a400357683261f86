// Win32 code.
#include "EngineRun.h"

#include <string>
#include <vector>

#include "EngineSettings.h"
#include "LingerDialog.h"
#include "PackageFiles.h"
#include "sys/Files.h"
#include "sys/Folders.h"
#include "sys/Host.h"
#include "sys/IniFile.h"
#include "sys/Platform.h"
#include "sys/Switches.h"

namespace engine {
namespace {

std::string ExpandEnvironment(const std::string& Text) {
  char buffer[MAX_PATH * 4];
  const DWORD n = ::ExpandEnvironmentStringsA(Text.c_str(), buffer, sizeof buffer);
  return n > 0 && n <= sizeof buffer ? std::string(buffer) : Text;
}

// Environment variables expanded, then made full against the current folder (the stub hands
// its own on to the engine). Empty stays empty: it means "none", not the current folder.
std::string ResolvePath(const std::string& Written) {
  if (Written.empty()) return std::string();
  const std::string expanded = ExpandEnvironment(Written);
  char full[MAX_PATH * 4];
  const DWORD n = ::GetFullPathNameA(expanded.c_str(), sizeof full, full, nullptr);
  const std::string path = n > 0 && n < sizeof full ? std::string(full) : expanded;
  return sys::FolderWithBackslash(path, false);
}

std::string CurrentFolder() {
  char buffer[MAX_PATH * 4];
  const DWORD n = ::GetCurrentDirectoryA(sizeof buffer, buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

// One block per run, appended, so that a test can follow an install and a later update. The
// code page tells a test which system code page the stub and its engine ran in.
void RecordRun(const std::string& RecordPath) {
  if (RecordPath.empty()) return;
  sys::AppendToFile(RecordPath,
                    "CommandLine=" + sys::ProcessCommandLine() + "\r\n" +
                        "CurrentFolder=" + CurrentFolder() + "\r\n" +
                        "CodePage=" + std::to_string(::GetACP()) + "\r\n",
                    0);
}

std::string FileNameOf(const std::string& Path) {
  return Path.substr(sys::FolderOfPath(Path, true).size());
}

// Copies the package and tells the product's ".original" file where it was installed, which
// only the engine knows once environment variables are expanded. True when nothing failed.
bool Install(const EngineSettings& Settings, const std::string& ConfigPath) {
  const std::string target = ResolvePath(Settings.targetDir);
  if (target.empty()) return true;
  const std::vector<std::string> leftBehind = {FileNameOf(sys::ProgramPath()),
                                               FileNameOf(ConfigPath)};
  bool complete = CopyTree(sys::ProgramFolder(false), target, leftBehind);
  if (!Settings.originalFile.empty())
    complete = sys::WriteIniString(target + "\\" + Settings.originalFile, "Directories",
                                   "TargetDir", target) &&
               complete;
  return complete;
}

// The stub added the atom before starting the engine; its absence is the report of success.
void ReportSuccess(const std::string& ThreadToken) {
  const ATOM atom = ::GlobalFindAtomA(SuccessAtomName(ThreadToken).c_str());
  if (atom) ::GlobalDeleteAtom(atom);
}

}  // namespace

int RunEngine() {
  const std::string tail = sys::CommandTail();
  const std::string configPath =
      sys::ProgramFolder(true) + sys::FileNameWithoutExtension(sys::ProgramPath(), false) + ".ini";
  const EngineSettings settings = ReadSettings(
      [&](const std::string& Key) {
        return sys::ReadIniString(configPath, kSettingsSection, Key, "");
      },
      tail);
  if (settings.dialogOnly)
    return KeepDialogWindow(DialogClassName(settings.threadToken), settings.dialogMs);

  RecordRun(ResolvePath(settings.recordPath));
  const bool installed = Install(settings, configPath);
  // Without a token the engine was not started by a stub: nobody waits for atom or dialog.
  if (!settings.threadToken.empty()) {
    if (settings.dialogMs > 0)
      LeaveDialogBehind(sys::ProgramPath(), settings.threadToken, settings.dialogMs);
    if (installed && !settings.fail) ReportSuccess(settings.threadToken);
  }
  return static_cast<int>(installed ? settings.exitCode : kCopyFailedExitCode);
}

}  // namespace engine
