// A web setup stub carries no setup files: it fetches its setup file (or takes the copy lying
// beside it), checks that the file belongs to it, and runs it like an offline setup. Before that
// it may leave an auto-update agent copy of itself in the work folder for the setup to install.
#pragma once

#include <string>

#include "pack/PublishedCheck.h"

class TGFileInfo;

namespace stubsetup {

// The error text of a download the user declined: nothing to show.
inline constexpr char kDownloadDeclined[] = "!";

// The agent copy made from the running file's bytes: whatever follows the package end (a code
// signature of any size) is dropped, together with the PE header's entry that points at it, and
// trailer byte 69 (5th from the package end) marks the copy as an auto-update agent.
std::string WebAgentCopyImage(std::string image);

// The setup file, as it is held open, against the SHA-256 this stub keeps for it
// (GetWebSetupSHA256; without one nothing is checked). Empty when it passes, else the text of the
// error box ("s13"); verdict says why, for the console.
std::string SetupChecksumError(const TGFileInfo& own, const pack::ByteSource& setupFile,
                               pack::CheckVerdict& verdict);

// The question before a download, with the setup file's size in megabytes.
std::string DownloadQuestion(const TGFileInfo& own);

// The error text before a download: the cancel mark "!" when the user declined it (and nothing
// more is shown), else the "s12" text with the system's reason when there is no connection, else
// empty. connectionError is the system's reason, when it gave one.
std::string DownloadStartError(const TGFileInfo& own, bool declined, bool connected,
                               const std::string& connectionError);

// Where the setup file comes from: the folder of the running file when a file of that name lies
// there (unless the stub must always download), else the web folder.
std::string WebSetupSource(const TGFileInfo& own, const std::string& exeFolder,
                           bool localFileExists);

// source + "/" + file name.
std::string WebSetupUrl(const std::string& source, const std::string& fileName);

// Writes the agent copy of the program file exePath to copyPath (Win32). A program file that
// cannot be read gives no copy, and a copy that cannot be written whole does not stay; either is
// logged, and the setup goes on without the copy. True when the copy was written.
bool WriteWebAgentCopy(const std::string& exePath, const std::string& copyPath);

// The web branch of the setup run (Win32): the agent copy, the source, RunWebSetup.
void RunWebBranch();
// Fetches (or takes) the setup file, checks its token, extracts and launches it (Win32).
void RunWebSetup(const std::string& workFolder, const std::string& source,
                 const std::string& fileName);

}  // namespace stubsetup
