// This file must contain only truly operating-system independent code.
#include "agent/UpdateCycleRules.h"

#include "sys/UtilsText.h"

namespace au {
namespace {

constexpr int64_t kTestModeIntervalSeconds = 5;
const char kTestModeNotice[] = "<P><P><T><B>PLEASE NOTE</B> - You are now running in <B>Test Mode</B>!";

bool IsDriveFolderOrTooShort(const std::string& Source) {
  return Source.size() < 2 || Source[1] == ':';
}

}  // namespace

std::string WithProgName(const std::string& Text, const std::string& Name) {
  static const std::string kMark = "PROG_NAME";
  std::string out;
  size_t from = 0;
  for (size_t at = Text.find(kMark); at != std::string::npos; at = Text.find(kMark, from)) {
    out.append(Text, from, at - from).append(Name);
    from = at + kMark.size();
  }
  return out.append(Text, from, std::string::npos);
}

std::string DownloadQuestion(const TextReader& Text, bool ConfirmInstall, bool DownloadForced,
                             const std::string& ProgramName) {
  const char* second = DownloadForced ? (ConfirmInstall ? "s19" : "s18")
                                      : (ConfirmInstall ? "s13" : "s12");
  return WithProgName(Text("s11") + Text(second), ProgramName);
}

std::string InstallQuestion(const TextReader& Text, bool InstallForced,
                            const std::string& ProgramName) {
  return WithProgName(Text(InstallForced ? "s20" : "s14"), ProgramName);
}

std::string AskToCheckText(const TextReader& Text, const std::string& Source, bool TestMode,
                           const std::string& ProgramName) {
  std::string text = Text("s22");
  if (!IsDriveFolderOrTooShort(Source)) text += Text("s23");
  text += Text("s24");
  if (TestMode) text += kTestModeNotice;
  return WithProgName(text, ProgramName);
}

ShutDown ShutDownMethodOf(const std::string& Method) {
  if (Method == "Issue a Message Box") return ShutDown::kMessageBox;
  if (Method == "Using WM_CLOSE") return ShutDown::kClose;
  if (Method == "Using WM_QUIT") return ShutDown::kQuit;
  if (Method == "Using Terminate Process") return ShutDown::kTerminate;
  if (Method == "Don't Shut Down") return ShutDown::kDontShutDown;
  return ShutDown::kNone;
}

std::string RestartCommand(const std::string& AgentFolder, const std::string& ProgramExeName,
                           const std::string& TransientList) {
  return AgentFolder + ProgramExeName + " /_ZZ=99 /WAIT=10 /TRANSIENT=" + TransientList;
}

int ShotTimeStatus(const ScheduleInputs& In) {
  if (!In.probingEnabled && !In.force) return 0;
  const int64_t interval = In.testMode ? kTestModeIntervalSeconds : In.probeInterval;
  int64_t due = 0;
  // A sum beyond the 64-bit range lies beyond every clock.
  int status = !__builtin_add_overflow(In.probeLast, interval, &due) && In.now >= due ? 1 : 0;
  if (In.probeInterval == 0 && status == 1) status = 2;
  if (In.probeInterval == -1) status = 0;
  if (In.force) status = 1;
  return status;
}

bool IsTestModeOn(const std::string& TestMode, const std::string& TestModeDate,
                  const std::string& Today) {
  return TestMode == "1" && TestModeDate == Today;
}

bool TestModeReads::TakeRead(bool Force, uint32_t Now) {
  // Unsigned subtraction is right across the wrap of the tick count.
  const bool due = Force || !readOnce_ || Now - lastRead_ > kRereadMs;
  if (due) {
    readOnce_ = true;
    lastRead_ = Now;
  }
  return due;
}

CheckOutcome InteractiveCheckOutcome(const TextReader& Text, bool TestMode, bool Connected,
                                     const std::string& ConnectionError,
                                     const std::string& FetchError, bool DeveloperMode, int Code,
                                     const std::string& CodeText) {
  if (!TestMode && !Connected)
    return {true, Text("s2") + (ConnectionError.empty() ? "" : "<P><P>" + ConnectionError)};
  if (!TestMode && !FetchError.empty()) return {true, FetchError};
  std::string text = Text("s21");
  if (DeveloperMode) text += "<P><P>(" + std::to_string(Code) + " - " + CodeText + ")   ";
  return {false, text};
}

}  // namespace au
