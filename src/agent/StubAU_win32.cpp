// The agent's timer tick: counters, the stop countdown, and (once the schedule says so) a check.
// This file must contain only Win32 code.
#include "agent/StubAU.h"

#include "agent/AgentVars.h"
#include "agent/NotBuiltYet.h"
#include "agent/UpdateFiles.h"
#include "sys/KoDebug.h"
#include "sys/Platform.h"
#include "ui/KoMsgBox.h"

namespace au {

void CheckTestMode(bool forceReread) {
  NotBuiltYet(std::string("CheckTestMode force=") + (forceReread ? "TRUE" : "FALSE"));
}

void AgentTick() {
  AgentVars& vars = Agent();
  if (vars.busy) return;  // a tick that arrives while a check pumps messages
  vars.busy = true;
  if (vars.fetchInfoOnly) {
    kodebug::ConsoleLine("-------------- JustDownloadInfoFile ---------------");
    vars.fetchInfoOnly = false;
    NotBuiltYet("JustDownloadInfoFile");
  } else {
    // The agent's boxes take their font from the .original file, read anew at every tick.
    komsgbox::SetMsgBoxFont(original::FontName(), original::FontSize(), original::CharSet());
    if (AdvanceTickCounters(vars)) ::PostQuitMessage(0);
    kodebug::ConsoleProcessLine(" AutoUpdateTimerCount=" + std::to_string(vars.tickCount));
    if (vars.tickCount >= 1) {
      // Ask once per agent run rather than every second.
      static bool said = false;
      if (!said) NotBuiltYet("update check");
      said = true;
    }
  }
  vars.AgentState = 0;
  vars.busy = false;
}

}  // namespace au
