// What one run of the setup engine does, gathered from its configuration file and its command
// line. Plain text rules, with no system call: the caller hands in the command tail and a
// reader of the configuration's keys.
// This file must contain only truly operating-system independent code.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace engine {

// Section of the configuration file that holds every key below.
constexpr const char kSettingsSection[] = "Engine";
// Exit code of a run whose copying failed, whatever the configuration asks for.
constexpr uint32_t kCopyFailedExitCode = 1;

struct EngineSettings {
  std::string targetDir;     // as written: environment variables not yet expanded
  uint32_t exitCode = 0;
  bool fail = false;         // keep the success atom on purpose
  uint32_t dialogMs = 0;     // 0: leave no dialog behind
  std::string recordPath;    // as written; empty: record nothing
  std::string originalFile;  // name of the packed ".original" file; empty: none
  std::string threadToken;   // value of "/TH_ID=", as "_1234"; empty when not started by a stub
  bool dialogOnly = false;   // this process is the copy that only keeps the dialog window
};

// Value of a key of the configuration's section; empty when absent.
using SettingReader = std::function<std::string(const std::string& Key)>;

// Reads the keys "TargetDir", "ExitCode", "Fail", "DialogMs", "Record" and "OriginalFile"; the
// switches "/Target=", "/ExitCode=", "/Fail", "/DialogMs=" and "/Record=" of Tail win over them.
// Numbers that cannot be read leave the value before them in force; "Fail" is set only by the
// exact text "1". "/EngineDialog=" with a number makes a dialog-only run lasting that many ms:
// Tail "/EngineDialog=1500 /TH_ID=_7" gives dialogOnly, dialogMs 1500 and threadToken "_7".
EngineSettings ReadSettings(const SettingReader& Setting, const std::string& Tail);

// The global atom whose deletion tells the stub that the setup succeeded: "_1234" gives
// "AutoUpdateAtomTokenByKarst_1234".
std::string SuccessAtomName(const std::string& ThreadToken);
// The class of the window the stub waits for after the engine ended: "_1234" gives
// ".SDialog_Class_Name._1234".
std::string DialogClassName(const std::string& ThreadToken);
// Command tail of the copy that keeps the dialog window: "/EngineDialog=1500 /TH_ID=_7".
std::string DialogOnlyTail(uint32_t DialogMs, const std::string& ThreadToken);

}  // namespace engine
