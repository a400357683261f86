// The rules of an update check and of the update cycle that need no system: the texts of the
// questions and notices, the shut-down method named by the .info file, when a check is due, test
// mode, the agent's restart command and what an interactive check tells the user.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace au {

// Reads a text of the agent ("s11", ...) as the .original file gives it.
using TextReader = std::function<std::string(const std::string& Key)>;

// Text with every "PROG_NAME" (letter case as written) replaced by Name.
std::string WithProgName(const std::string& Text, const std::string& Name);

// The question before the download: "s11" and a second part telling what follows, "s13" when
// the installation will be confirmed too, else "s12"; a forced download says "s19" or "s18".
std::string DownloadQuestion(const TextReader& Text, bool ConfirmInstall, bool DownloadForced,
                             const std::string& ProgramName);
// The question before the installation: "s14", or "s20" when it is forced.
std::string InstallQuestion(const TextReader& Text, bool InstallForced,
                            const std::string& ProgramName);

// The question before a check: "s22", "s23" (dropped for a drive folder or a source shorter
// than two characters), "s24", and the test-mode notice in test mode.
std::string AskToCheckText(const TextReader& Text, const std::string& Source, bool TestMode,
                           const std::string& ProgramName);

// How the running product is stopped: the .info file's text, matched exactly.
enum class ShutDown { kMessageBox, kClose, kQuit, kTerminate, kDontShutDown, kNone };
ShutDown ShutDownMethodOf(const std::string& Method);

// The plain agent started with the restart switches: a new transient copy, ten seconds later,
// even while this one runs, with the current override bytes.
std::string RestartCommand(const std::string& AgentFolder, const std::string& ProgramExeName,
                           const std::string& TransientList);

// Whether a check is due at this tick: 0 no, 1 yes, 2 yes and it is the only one of this run
// ("ProbeSecondsInterval" 0). Test mode checks every five seconds; -1 never checks unless
// forced; a forced check always runs.
struct ScheduleInputs {
  bool probingEnabled = true;
  bool force = false;
  bool testMode = false;
  int64_t probeInterval = 0;  // "ProbeSecondsInterval"
  int64_t probeLast = 0;      // "ProbeSecondsLast"
  int64_t now = 0;
};
int ShotTimeStatus(const ScheduleInputs& In);

// Test mode lasts for the day it was set on: "TestMode" is "1" and "TestModeDate" is Today
// ("DD-MON-YYYY").
bool IsTestModeOn(const std::string& TestMode, const std::string& TestModeDate,
                  const std::string& Today);

// When the agent reads test mode from the registry again. Every tick asks, once a second; the
// check itself forces a read. A read is due when forced, when nothing was read yet, or when more
// than 30000 ms have passed since the last read, on the 32-bit millisecond tick count, which
// wraps after 49.7 days. Only a read moves the time of the last read: were every question to
// move it, the ticks would push the unforced read away for as long as the agent runs.
class TestModeReads {
 public:
  static constexpr uint32_t kRereadMs = 30000;
  // Whether the registry is to be read at Now; when it is, Now becomes the time of the last read.
  bool TakeRead(bool Force, uint32_t Now);

 private:
  bool readOnce_ = false;
  uint32_t lastRead_ = 0;
};

// What an interactive check that did nothing tells the user.
struct CheckOutcome {
  bool error = false;  // an error box; otherwise an attention box
  std::string text;
};
// Offline (not in test mode): "s2", then the system's reason; a failed fetch: its error text;
// otherwise "s21", with the decision code and text for a developer.
CheckOutcome InteractiveCheckOutcome(const TextReader& Text, bool TestMode, bool Connected,
                                     const std::string& ConnectionError,
                                     const std::string& FetchError, bool DeveloperMode, int Code,
                                     const std::string& CodeText);

}  // namespace au
