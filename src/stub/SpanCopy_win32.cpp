// This file must contain only Win32 code.
#include "stub/AgentCopies.h"
#include "stub/KoDebug.h"
#include "stub/SpanCopy.h"
#include "stub/WorkFolder.h"
#include "sys/Host.h"
#include "sys/Platform.h"
#include "sys/ProgramStart.h"
#include "sys/Switches.h"

namespace stubwin {

void RunSpanCopy() {
  if (stubglob::GetWorkFolder().empty()) return;  // no copy at the root of the drive
  const std::string exePath = sys::ProgramPath();
  const std::string copy = SpanCopyPath(stubglob::GetWorkFolder(), exePath);
  ::CopyFileA(exePath.c_str(), copy.c_str(), FALSE);
  // Quoted: a temporary folder may hold blanks ("C:\Users\Jane Doe\...").
  const std::string commandLine =
      "\"" + copy + "\" " + SpanCopyArguments(sys::CommandTail(), exePath);
  kodebug::ConsoleProcessLine(" RunSpanCopy >>" + commandLine + "<<");
  sys::StartProgram(commandLine, false);
}

}  // namespace stubwin
