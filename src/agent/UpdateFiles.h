// The update description files of the auto-update agent, key by key.
//
// The .original file (au::original) describes what is installed and carries the agent's texts
// and message-box settings; the installation writes it, the agent writes back only its time
// stamps, the handled stamp and the installed version. The .info file (au::info) is fetched from
// the update server at every check and describes the newest update or notice.
//
// Each accessor is named by its key and reads the file afresh (another program may have changed
// it a moment ago); an absent or empty value gives the default noted. Integers are read as 64-bit
// numbers; the keys returned as int32_t are used through their low 32 bits. Flags are true only
// when the text is exactly "1". The flags of the update behaviour are first looked up in the
// run-time overrides (TransientFlags.h); the file is read only when the override leaves it to the
// key. Writers return whether the value was stored; nobody reports a failed write to the user.
#pragma once

#include <cstdint>
#include <string>

#include "agent/UpdateFilePaths.h"

namespace au {

// A text of section "AutoUpdate" of the .original file.
std::string ReadAUText(const std::string& Key, const std::string& Default);
// The same with the text built in for Key ("s3", "s4", "s5", "s31" to "s35"; empty for others).
std::string ReadAUText(const std::string& Key);
std::string BuiltInAUText(const std::string& Key);

// "General"/"AutoInform" of the .info file is 1: the publication is a notice, not an update.
bool IsAutoInform();

namespace original {

// Section "OriginalSetup". Seconds and time stamps (seconds since 30 December 1899, local time).
int64_t ProbeSecondsInterval();  // 0: check once per agent run; -1: never automatically
int64_t ProbeSecondsLast();
int64_t ReAskSecondsInterval();  // 0 or less: a handled .info file is never offered again
int64_t ReAskSecondsLast();
int32_t VersionOriginal();
int32_t Stamp();  // stamp of the last .info file that was acted on
std::string ProgramName();

bool SetProbeSecondsInterval(int64_t Seconds);
bool SetReAskSecondsInterval(int64_t Seconds);
// Each also writes the readable copy "__ProbeSecondsLast" / "__ReAskSecondsLast" of Stamp.
bool SetProbeSecondsLast(int64_t Stamp);
bool SetReAskSecondsLast(int64_t Stamp);
bool SetVersionOriginal(int32_t Version);
bool SetStamp(int32_t Stamp);

// Section "Directories": the folders behind the install-folder placeholders.
std::string TargetDir();
std::string SharedDir();
std::string AuxiliaryDir();

// Section "UnInstall": full paths of the product's shortcut files.
std::string StartUpLink();
std::string CheckforNewUpdateLink();

// Section "MsgBox": captions, button texts and font of the agent's message boxes.
std::string BtnText();    // "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|"
std::string Error();      // "Error"
std::string Confirm();    // "Confirm"
std::string Attention();  // "Attention"
int32_t CharSet();        // 0
std::string FontName();   // "Tahoma"
int32_t FontSize();       // 8

}  // namespace original

namespace info {

// Section "NewSetup".
std::string DownloadURL_UPDATE();
std::string NameOfUpdateFile();
int32_t SizeOfUpdateFile();
bool RequestConfirmationBeforeDownload();       // with override
bool RequestConfirmationBeforeDownloadForce();  // with override
bool RequestConfirmationBeforeInstall();        // with override
bool RequestConfirmationBeforeInstallForce();   // with override
bool BackgroundUpdate();                        // with override
std::string ShutDownMethod();
bool RestartProcess();  // with override
bool InformFinish();    // with override
std::string RunningProcess();
std::string ProgramName();
int32_t VersionNew();
int32_t Stamp();
std::string ValidVersions();  // as written: blanks and leading zeros stay
bool RemoveStartUpShortcut();
bool RemoveCheckForNewUpdateShortcut();
std::string UpdateFileSHA256();  // the update file's checksum, in a signed description
// The public key that an update's package may carry besides the installation's own, named in a
// signed description before a change of keys (UpdateKeyRule.h).
std::string UpdatePublicKeyNew();

// Section "General".
int64_t AutoInform();

// Section "AutoInform".
std::string DownloadURL_INFORM();
std::string NameOfInformFile();
int32_t SizeOfInformFile();
int32_t AutoInformW();  // 360
int32_t AutoInformH();  // 360
std::string InformFileSHA256();  // the inform file's checksum, in a signed description

}  // namespace info

}  // namespace au
