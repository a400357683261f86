// This file must contain only truly operating-system independent code.
#include "agent/UpdateFiles.h"

#include <cstdint>

#include "agent/AgentClock.h"
#include "agent/TransientFlags.h"
#include "agent/UpdateKeyRule.h"
#include "agent/UpdateFilesIni.h"
#include "sys/UtilsText.h"

namespace au {
namespace {

// Sections of the .original file.
const char kOriginalSetup[] = "OriginalSetup";
const char kDirectories[] = "Directories";
const char kUnInstall[] = "UnInstall";
const char kMsgBox[] = "MsgBox";
const char kAutoUpdate[] = "AutoUpdate";
// Sections of the .info file.
const char kNewSetup[] = "NewSetup";
const char kGeneral[] = "General";
const char kAutoInform[] = "AutoInform";

// Readable copies of the time stamps carry the key's name after this prefix.
const char kReadableCopyPrefix[] = "__";

struct BuiltInText {
  const char* key;
  const char* text;
};
const BuiltInText kBuiltInAUTexts[] = {
    {"s3", "File Download Aborted!"},
    {"s4", "File not Found!"},
    {"s5", "Unable to Download File!"},
    {"s31", "Downloading INFO File..."},
    {"s32", "Downloading UPDATE File..."},
    {"s33", "Downloading INFORM File..."},
    {"s34", "New Version"},
    {"s35", "Download"},
    {"s36", "The update could not be verified: it does not carry its publisher's valid "
            "signature.<P>Nothing was installed or shown."},
};

// The low 32 bits of Value as a signed number, without relying on out-of-range conversions.
int32_t Low32(int64_t Value) {
  const uint32_t bits = static_cast<uint32_t>(static_cast<uint64_t>(Value));
  return bits <= INT32_MAX ? static_cast<int32_t>(bits)
                           : static_cast<int32_t>(bits - 0x80000000u) + INT32_MIN;
}

std::string Text(const std::string& File, const char* Section, const char* Key,
                 const std::string& Default = "") {
  return IniReadString(File, Section, Key, Default);
}

int64_t Int64(const std::string& File, const char* Section, const char* Key, int64_t Default = 0) {
  return IniReadInteger(File, Section, Key, Default);
}

int32_t Int32(const std::string& File, const char* Section, const char* Key, int32_t Default = 0) {
  return Low32(IniReadInteger(File, Section, Key, Default));
}

// Anything but exactly "1" (" 1" and "yes" included) is false.
bool Flag(const std::string& File, const char* Section, const char* Key) {
  return IniReadString(File, Section, Key, "0") == "1";
}

// The override is looked at first; the file is read only when it leaves the decision to the key.
bool BehaviourFlag(int Index, const char* Key) {
  if (TransientFlagOverrides(Index)) return ApplyTransientFlag(Index, false);
  return Flag(GetInfoPath(), kNewSetup, Key);
}

bool WriteOriginal(const char* Key, int64_t Value) {
  return IniWriteInteger(GetOriginalPath(), kOriginalSetup, Key, Value);
}

// A time stamp and, right after it, its readable copy for people who open the file.
bool WriteStamp(const char* Key, int64_t Stamp) {
  const std::string file = GetOriginalPath();
  const bool stored = IniWriteInteger(file, kOriginalSetup, Key, Stamp);
  const bool copied = IniWriteString(file, kOriginalSetup, std::string(kReadableCopyPrefix) + Key,
                                     ReadableStamp(Stamp));
  return stored && copied;
}

}  // namespace

std::string BuiltInAUText(const std::string& Key) {
  for (const BuiltInText& entry : kBuiltInAUTexts) {
    if (sys::EqualsNoCase(Key, entry.key)) return entry.text;
  }
  return std::string();
}

std::string ReadAUText(const std::string& Key, const std::string& Default) {
  return IniReadString(GetOriginalPath(), kAutoUpdate, Key, Default);
}

std::string ReadAUText(const std::string& Key) { return ReadAUText(Key, BuiltInAUText(Key)); }

bool IsAutoInform() { return info::AutoInform() == 1; }

namespace original {

int64_t ProbeSecondsInterval() {
  return Int64(GetOriginalPath(), kOriginalSetup, "ProbeSecondsInterval");
}
int64_t ProbeSecondsLast() { return Int64(GetOriginalPath(), kOriginalSetup, "ProbeSecondsLast"); }
int64_t ReAskSecondsInterval() {
  return Int64(GetOriginalPath(), kOriginalSetup, "ReAskSecondsInterval");
}
int64_t ReAskSecondsLast() { return Int64(GetOriginalPath(), kOriginalSetup, "ReAskSecondsLast"); }
int32_t VersionOriginal() { return Int32(GetOriginalPath(), kOriginalSetup, "VersionOriginal"); }
int32_t Stamp() { return Int32(GetOriginalPath(), kOriginalSetup, "Stamp"); }
std::string ProgramName() { return Text(GetOriginalPath(), kOriginalSetup, "ProgramName"); }

bool SetProbeSecondsInterval(int64_t Seconds) {
  return WriteOriginal("ProbeSecondsInterval", Seconds);
}
bool SetReAskSecondsInterval(int64_t Seconds) {
  return WriteOriginal("ReAskSecondsInterval", Seconds);
}
bool SetProbeSecondsLast(int64_t Stamp) { return WriteStamp("ProbeSecondsLast", Stamp); }
bool SetReAskSecondsLast(int64_t Stamp) { return WriteStamp("ReAskSecondsLast", Stamp); }
bool SetVersionOriginal(int32_t Version) { return WriteOriginal("VersionOriginal", Version); }
bool SetStamp(int32_t Stamp) { return WriteOriginal("Stamp", Stamp); }

std::string TargetDir() { return Text(GetOriginalPath(), kDirectories, "TargetDir"); }
std::string SharedDir() { return Text(GetOriginalPath(), kDirectories, "SharedDir"); }
std::string AuxiliaryDir() { return Text(GetOriginalPath(), kDirectories, "AuxiliaryDir"); }

std::string StartUpLink() { return Text(GetOriginalPath(), kUnInstall, "StartUpLink"); }
std::string CheckforNewUpdateLink() {
  return Text(GetOriginalPath(), kUnInstall, "CheckforNewUpdateLink");
}

std::string BtnText() {
  return Text(GetOriginalPath(), kMsgBox, "BtnText",
              "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|");
}
std::string Error() { return Text(GetOriginalPath(), kMsgBox, "Error", "Error"); }
std::string Confirm() { return Text(GetOriginalPath(), kMsgBox, "Confirm", "Confirm"); }
std::string Attention() { return Text(GetOriginalPath(), kMsgBox, "Attention", "Attention"); }
int32_t CharSet() { return Int32(GetOriginalPath(), kMsgBox, "CharSet", 0); }
std::string FontName() { return Text(GetOriginalPath(), kMsgBox, "FontName", "Tahoma"); }
int32_t FontSize() { return Int32(GetOriginalPath(), kMsgBox, "FontSize", 8); }

}  // namespace original

namespace info {

std::string DownloadURL_UPDATE() { return Text(GetInfoPath(), kNewSetup, "DownloadURL_UPDATE"); }
std::string NameOfUpdateFile() { return Text(GetInfoPath(), kNewSetup, "NameOfUpdateFile"); }
int32_t SizeOfUpdateFile() { return Int32(GetInfoPath(), kNewSetup, "SizeOfUpdateFile"); }
bool RequestConfirmationBeforeDownload() {
  return BehaviourFlag(tfRequestConfirmationBeforeDownload, "RequestConfirmationBeforeDownload");
}
bool RequestConfirmationBeforeDownloadForce() {
  return BehaviourFlag(tfRequestConfirmationBeforeDownloadForce,
                       "RequestConfirmationBeforeDownloadForce");
}
bool RequestConfirmationBeforeInstall() {
  return BehaviourFlag(tfRequestConfirmationBeforeInstall, "RequestConfirmationBeforeInstall");
}
bool RequestConfirmationBeforeInstallForce() {
  return BehaviourFlag(tfRequestConfirmationBeforeInstallForce,
                       "RequestConfirmationBeforeInstallForce");
}
bool BackgroundUpdate() { return BehaviourFlag(tfBackgroundUpdate, "BackgroundUpdate"); }
std::string ShutDownMethod() { return Text(GetInfoPath(), kNewSetup, "ShutDownMethod"); }
bool RestartProcess() { return BehaviourFlag(tfRestartProcess, "RestartProcess"); }
bool InformFinish() { return BehaviourFlag(tfInformFinish, "InformFinish"); }
std::string RunningProcess() { return Text(GetInfoPath(), kNewSetup, "RunningProcess"); }
std::string ProgramName() { return Text(GetInfoPath(), kNewSetup, "ProgramName"); }
int32_t VersionNew() { return Int32(GetInfoPath(), kNewSetup, "VersionNew"); }
int32_t Stamp() { return Int32(GetInfoPath(), kNewSetup, "Stamp"); }
std::string ValidVersions() { return Text(GetInfoPath(), kNewSetup, "ValidVersions"); }
bool RemoveStartUpShortcut() { return Flag(GetInfoPath(), kNewSetup, "RemoveStartUpShortcut"); }
bool RemoveCheckForNewUpdateShortcut() {
  return Flag(GetInfoPath(), kNewSetup, "RemoveCheckForNewUpdateShortcut");
}
std::string UpdateFileSHA256() { return Text(GetInfoPath(), kNewSetup, "UpdateFileSHA256"); }
std::string UpdatePublicKeyNew() { return Text(GetInfoPath(), kNewSetup, kUpdatePublicKeyNew); }

int64_t AutoInform() { return Int64(GetInfoPath(), kGeneral, "AutoInform"); }

std::string DownloadURL_INFORM() { return Text(GetInfoPath(), kAutoInform, "DownloadURL_INFORM"); }
std::string NameOfInformFile() { return Text(GetInfoPath(), kAutoInform, "NameOfInformFile"); }
int32_t SizeOfInformFile() { return Int32(GetInfoPath(), kAutoInform, "SizeOfInformFile"); }
int32_t AutoInformW() { return Int32(GetInfoPath(), kAutoInform, "AutoInformW", 360); }
int32_t AutoInformH() { return Int32(GetInfoPath(), kAutoInform, "AutoInformH", 360); }
std::string InformFileSHA256() { return Text(GetInfoPath(), kAutoInform, "InformFileSHA256"); }

}  // namespace info

}  // namespace au
