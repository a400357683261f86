// This file must contain only Win32 code.
#include "stub/AgentCopies.h"
#include "stub/SpanCopy.h"
#include "stub/WorkFolder.h"
#include "sys/Host.h"
#include "sys/KoDebug.h"
#include "sys/Platform.h"
#include "sys/ProgramStart.h"
#include "sys/Switches.h"
#include "sys/SysError.h"

namespace stubwin {

bool StartSpanCopy(const std::string& exePath, const std::string& workFolder,
                   const std::string& commandTail) {
  if (workFolder.empty()) return false;  // no copy at the root of the drive
  const std::string copy = SpanCopyPath(workFolder, exePath);
  if (!::CopyFileA(exePath.c_str(), copy.c_str(), FALSE)) {
    sys::LogFailure("StubWin.RunSpanCopy()", copy, ::GetLastError());
    return false;
  }
  // Quoted: a temporary folder may hold blanks ("C:\Users\Jane Doe\...").
  const std::string commandLine = "\"" + copy + "\" " + SpanCopyArguments(commandTail, exePath);
  kodebug::ConsoleProcessLine(" RunSpanCopy >>" + commandLine + "<<");
  if (sys::StartProgram(commandLine, false, copy)) return true;
  sys::LogFailure("StubWin.RunSpanCopy()", commandLine, ::GetLastError());
  return false;
}

void RunSpanCopy() {
  StartSpanCopy(sys::ProgramPath(), stubglob::GetWorkFolder(), sys::CommandTail());
}

}  // namespace stubwin
