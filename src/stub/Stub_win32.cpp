// Entry point of the process: start and end lines, the descriptor of the running file, the
// debug-log switch, then the run mode.
// This file must contain only Win32 code.
#include "agent/AgentHost.h"
#include "agent/UpdateFilesIni.h"
#include "pack/GFileInfo.h"
#include "stub/RunMode.h"
#include "stub/StubAgentHost.h"
#include "stub/StubGlob.h"
#include "stub/StubWin.h"
#include "sys/ExeVersion.h"
#include "sys/Host.h"
#include "sys/KoDebug.h"
#include "sys/LibraryEntry.h"
#include "sys/Platform.h"

using kodebug::ConsoleProcessLine;
using kodebug::DebugLog;

namespace {

void StubMain() {
  const std::string commandLine = sys::ProcessCommandLine();
  const std::string exePath = sys::ProgramPath();
  ConsoleProcessLine(" ==== STUB START ====> " + commandLine + "<");

  TGFileInfo* own = new TGFileInfo(exePath);
  stubglob::OwnFileInfo = own;
  stubglob::ThisIs_AutoUpdateProg = own->ThisIs_AutoUpdateProg();
  au::SetAgentPackage(own);
  au::SetHost(&stubwin::MainWindowAgentHost());
  kodebug::SetDebugLogOn(stubglob::ThisIs_AutoUpdateProg && own->AgentDebugLog());
  if (stubglob::ThisIs_AutoUpdateProg &&
      stubwin::IsXAgentName(stubwin::FileNameOf(exePath), own->GetProgramExeName()))
    kodebug::SetLogMarker(" X ");

  DebugLog("");
  DebugLog("");
  DebugLog("=== START === " + exePath);
  DebugLog("CommandLine=" + commandLine);
  DebugLog("Agent Version=" + sys::GetExeVersion(exePath));
  ConsoleProcessLine(std::string(" ==== ThisIs_AutoUpdateProg=") +
                     kodebug::TrueFalse(stubglob::ThisIs_AutoUpdateProg));

  stubwin::DoRunStubWin();

  au::SetHost(nullptr);
  au::SetAgentPackage(nullptr);
  stubglob::OwnFileInfo = nullptr;
  delete own;
  ConsoleProcessLine(" ==== STUB END ====> " + commandLine + "<");
  kodebug::ConsoleLine("");
  DebugLog("=== EXIT === " + exePath);
  DebugLog("");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything loads a library: none may come from the program's folder (a setup is often
  // started from a downloads folder). Where the system cannot restrict the search, the libraries
  // are still loaded by their full path in the system folder.
  sys::RestrictLibrarySearchToSystem();
  kodebug::InstallConsoleChannel();
  au::UseSystemIni();  // the update description files are read through the system's INI functions
  StubMain();
  return static_cast<int>(stubglob::ExitCode);
}
