// The update decision with the agent's state, its clock and the real size test.
// This file must contain only Win32 code.
#include "agent/UpdateDecision.h"

#include "agent/AgentClock.h"
#include "agent/AgentVars.h"
#include "agent/UpdateDownload.h"
#include "agent/UpdateFiles.h"
#include "sys/KoDebug.h"

namespace au {

bool GetOkToPerformAU(bool InfoFetched, int& Code, std::string& Text) {
  Code = UpdateDecisionCode(InfoFetched, Agent().userCheckMode == 1, NowSeconds(), [] {
    return IsDownloadSizeOK(info::DownloadURL_UPDATE(), info::NameOfUpdateFile(),
                            info::NameOfInformFile());
  });
  Text = DecisionText(Code);
  kodebug::ConsoleProcessLine(" GetOkToPerformAU=" + std::to_string(Code));
  kodebug::DebugLog("GetOkToPerformAU = " + std::to_string(Code) + " - " + Text);
  return Code == kDecisionOK;
}

}  // namespace au
