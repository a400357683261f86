// The agent's timer tick, test mode and the check.
// This file must contain only Win32 code.
#include "agent/StubAU.h"

#include "agent/AgentBoxes.h"
#include "agent/AgentClock.h"
#include "agent/AgentHost.h"
#include "agent/AgentVars.h"
#include "agent/AutoInform.h"
#include "agent/TransientFlags.h"
#include "agent/UpdateCycle.h"
#include "agent/UpdateCycleRules.h"
#include "agent/UpdateDecision.h"
#include "agent/UpdateDownload.h"
#include "agent/UpdateFiles.h"
#include "net/InetHTTP.h"
#include "pack/GFileInfo.h"
#include "sys/DateText.h"
#include "sys/DeveloperMode.h"
#include "sys/KoDebug.h"
#include "sys/Platform.h"
#include "sys/Pumping.h"
#include "sys/Registry.h"
#include "ui/KoMsgBox.h"

using kodebug::ConsoleProcessLine;

namespace au {
namespace {

constexpr const char* kTestModeKey = "HKEY_CURRENT_USER\\Software\\Tollund\\Karst\\AutoUpdate";

TestModeReads g_testModeReads;

// A text of the .original file, empty when it has none (no built-in text).
std::string OriginalTextOrEmpty(const std::string& key) { return ReadAUText(key, ""); }

std::string UpdateInfoURL() {
  const TGFileInfo* own = AgentPackage();
  return own ? own->GetUpdateInfoURL() : std::string();
}

bool FetchInfoFile(std::string& error) {
  Host().NotifyListener(kNotifyInfoDownload, 1);
  const bool fetched = DownloadFileAU(UpdateInfoURL(), GetInfoPath(), kInfoDownload, error);
  Host().NotifyListener(kNotifyInfoDownload, 2);
  return fetched;
}

// What an interactive check that did nothing tells the user.
void TellWhyNothingHappened(const std::string& fetchError, int code, const std::string& codeText) {
  const bool testMode = Agent().testMode;
  std::string connectionError;
  const bool connected = inethttp::IsInternetConnected(connectionError);
  ConsoleProcessLine(std::string(" TestMode=") + kodebug::TrueFalse(testMode) +
                     " InternetConnected=" + kodebug::TrueFalse(connected));
  const CheckOutcome outcome =
      InteractiveCheckOutcome(OriginalTextOrEmpty, testMode, connected, connectionError, fetchError,
                              sys::IsDeveloperMode(), code, codeText);
  if (outcome.error)
    AgentErrorBox(kBoxWithHeading, outcome.text);
  else
    AgentAttentionBox(kBoxWithoutHeading, outcome.text);
}

// Acts on a publication the decision let through: the notice, or the update and the restart.
// True when its file could not be fetched or failed its checks.
bool ActOnPublication() {
  bool fetchFailed = false;
  if (IsAutoInform()) {
    PerformAutoInform(&fetchFailed);
  } else if (PerformAutoUpdate(&fetchFailed)) {
    ReStartAutoUpdateExe();
  }
  return fetchFailed;
}

// The .original file's record of the publication a check has acted on.
struct HandledMark {
  int64_t reAskLast;
  int32_t stamp;
};

HandledMark MarkAsHandled() {
  const HandledMark before{original::ReAskSecondsLast(), original::Stamp()};
  original::SetReAskSecondsLast(NowSeconds());
  original::SetStamp(info::Stamp());
  return before;
}

// A publication whose file could not be fetched or checked is not handled: the next due check
// offers it again, as it did before this one.
void TakeBackMark(const HandledMark& Before) {
  ConsoleProcessLine(" Not handled: the file was not fetched");
  kodebug::DebugLog("The publication is not handled: its file was not fetched");
  original::SetReAskSecondsLast(Before.reAskLast);
  original::SetStamp(Before.stamp);
}

// Steps of a tick once the count says checks are considered.
void ConsiderCheck(AgentVars& vars) {
  CheckTestMode(false);
  ScheduleInputs in;
  in.probingEnabled = vars.probingEnabled;
  in.force = vars.force;
  in.testMode = vars.testMode;
  in.probeInterval = original::ProbeSecondsInterval();
  in.probeLast = original::ProbeSecondsLast();
  in.now = NowSeconds();
  int status = ShotTimeStatus(in);
  vars.force = false;
  ConsoleProcessLine(" ShotTimeStatus=" + std::to_string(status));
  if (status == 2) vars.probingEnabled = false;
  if (status > 0 && (vars.userCheckMode == 1 || AskBeforeCheck())) AskToCheck(status);
  if (status > 0) PerformShot();
  if (vars.userCheckMode == 1) vars.userCheckMode = 0;
}

}  // namespace

bool CheckTestMode(bool Force) {
  AgentVars& vars = Agent();
  if (g_testModeReads.TakeRead(Force, ::GetTickCount())) {
    vars.testMode = IsTestModeOn(sys::RegReadString(kTestModeKey, "TestMode", "0"),
                                 sys::RegReadString(kTestModeKey, "TestModeDate", ""),
                                 sys::FormatDateDMY(sys::LocalNow()));
    vars.testModeURL = sys::RegReadString(kTestModeKey, "TestModeURL", "");
  }
  return vars.testMode;
}

void AskToCheck(int& Status) {
  const bool testMode = CheckTestMode(true);
  const std::string source = testMode ? Agent().testModeURL : UpdateInfoURL();
  const std::string text = AskToCheckText(OriginalTextOrEmpty, source, CheckTestMode(true),
                                          original::ProgramName());
  if (!AgentConfirm(kBoxWithoutHeading, text)) Status = 0;
}

void PerformShot() {
  ConsoleProcessLine(" Fire  " + sys::FormatDateTimeDMY(sys::LocalNow(), " "));
  CheckTestMode(true);
  const InfoFileHold hold;  // the check decides and acts on the .info file as it fetched it
  AgentVars& vars = Agent();
  bool performed = false;
  vars.AgentState = 1;
  std::string fetchError;
  const bool fetched = FetchInfoFile(fetchError);
  original::SetProbeSecondsLast(NowSeconds());
  int code = 0;
  std::string codeText;
  if (GetOkToPerformAU(fetched, code, codeText)) {
    ConsoleProcessLine(" ==== PerformShot-1 ====");
    performed = true;
    const HandledMark before = MarkAsHandled();
    if (ActOnPublication()) TakeBackMark(before);
    ConsoleProcessLine(" ==== PerformShot-2 ====");
  }
  if (vars.userCheckMode != 1) return;
  sys::DelayPumping(1000);
  Host().ShowMainWindow(false);
  if (!performed) TellWhyNothingHappened(fetchError, code, codeText);
}

bool JustDownloadInfoFile() {
  std::string ignored;
  return FetchInfoFile(ignored);
}

void AgentTick() {
  AgentVars& vars = Agent();
  if (vars.busy) return;  // a tick that arrives while a check pumps messages
  vars.busy = true;
  if (vars.fetchInfoOnly) {
    kodebug::ConsoleLine("-------------- JustDownloadInfoFile ---------------");
    vars.fetchInfoOnly = false;
    JustDownloadInfoFile();
  } else {
    // The agent's boxes take their font from the .original file, read anew at every tick.
    komsgbox::SetMsgBoxFont(original::FontName(), original::FontSize(), original::CharSet());
    if (AdvanceTickCounters(vars)) ::PostQuitMessage(0);
    ConsoleProcessLine(" AutoUpdateTimerCount=" + std::to_string(vars.tickCount));
    if (vars.tickCount >= 1) ConsiderCheck(vars);
  }
  vars.AgentState = 0;
  vars.busy = false;
}

}  // namespace au
