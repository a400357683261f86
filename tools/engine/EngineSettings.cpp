// This file must contain only truly operating-system independent code.
#include "EngineSettings.h"

#include "sys/Switches.h"
#include "sys/UtilsText.h"

namespace engine {
namespace {

// Exit codes are 32-bit on Windows: -1 stands for 0xFFFFFFFF, as a batch file would write it.
uint32_t ReadExitCode(const std::string& Text, uint32_t Default) {
  int64_t value = 0;
  return sys::TryParseInt64(Text, value) ? static_cast<uint32_t>(value) : Default;
}

uint32_t ReadMilliseconds(const std::string& Text, uint32_t Default) {
  int64_t value = 0;
  if (!sys::TryParseInt64(Text, value)) return Default;
  if (value < 0) return 0;
  return value > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(value);
}

}  // namespace

EngineSettings ReadSettings(const SettingReader& Setting, const std::string& Tail) {
  EngineSettings s;
  s.threadToken = sys::GetSwitchValueIn(Tail, "/TH_ID=", "");
  const std::string dialogOnly = sys::GetSwitchValueIn(Tail, "/EngineDialog=", "");
  if (!dialogOnly.empty()) {
    // The dialog copy only keeps its window: it records, copies and reports nothing.
    s.dialogOnly = true;
    s.dialogMs = ReadMilliseconds(dialogOnly, 0);
    return s;
  }
  // A switch given as "/Name=" wins over the configured text, even when its value is empty.
  s.targetDir = sys::GetSwitchValueIn(Tail, "/Target=", Setting("TargetDir"));
  // A number that cannot be read leaves the one before it (configured, then built in) in force.
  s.exitCode = ReadExitCode(sys::GetSwitchValueIn(Tail, "/ExitCode=", ""),
                            ReadExitCode(Setting("ExitCode"), 0));
  s.fail = Setting("Fail") == "1" || sys::HasSwitchIn(Tail, "/Fail");
  s.dialogMs = ReadMilliseconds(sys::GetSwitchValueIn(Tail, "/DialogMs=", ""),
                                ReadMilliseconds(Setting("DialogMs"), 0));
  s.recordPath = sys::GetSwitchValueIn(Tail, "/Record=", Setting("Record"));
  s.originalFile = sys::Trim(Setting("OriginalFile"));
  return s;
}

std::string SuccessAtomName(const std::string& ThreadToken) {
  return "AutoUpdateAtomTokenByKarst" + ThreadToken;
}

std::string DialogClassName(const std::string& ThreadToken) {
  return ".SDialog_Class_Name." + ThreadToken;
}

std::string DialogOnlyTail(uint32_t DialogMs, const std::string& ThreadToken) {
  return "/EngineDialog=" + std::to_string(DialogMs) + " /TH_ID=" + ThreadToken;
}

}  // namespace engine
