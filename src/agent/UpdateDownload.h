// The agent's downloads: the .info file at every check, the update program and the inform
// file. One routine fetches all three (DownloadFileAU, Win32); these are its rules: where a file
// comes from, under which name it may land in the agent folder, and what a user is told when a
// download fails.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sys/LeadBytes.h"

namespace au {

enum DownloadKind : int {
  kInfoDownload = 1,    // the .info file: kept in memory, then written beside the agent
  kUpdateDownload = 2,  // the update program: agent folder + its name
  kInformDownload = 3,  // the inform file: agent folder + its name
};

// Where a file comes from. Only the file-name part of the given name counts, and in test mode
// the test-mode folder stands in for the given one. The local path is tried first; the web
// address only when not in test mode and the machine is on line.
struct DownloadSource {
  std::string name;
  std::string folder;
  std::string LocalPath() const { return folder + "\\" + name; }
  std::string WebUrl() const { return folder + "/" + name; }
};
DownloadSource DownloadSourceFor(const std::string& Folder, const std::string& FileName,
                                 bool TestMode, const std::string& TestModeURL,
                                 sys::LeadBytePredicate IsLeadByte);

// Whether a fetched file may be written into the agent folder under Name: a plain file name
// that stays in the folder, and none of the installation's own files (the agent, its transient
// copy, the description files), which a hostile .info file could otherwise have overwritten.
bool IsAcceptableDownloadName(const std::string& Name, const std::vector<std::string>& OwnFiles,
                              sys::LeadBytePredicate IsLeadByte);

// The text key of the main window's caption while a kind is fetched: "s31", "s32" or "s33".
std::string DownloadCaptionKey(int Kind);

// What a user is told of a failed update download: s3 alone when the user closed the window;
// otherwise the source, two breaks and s4 for a drive or network folder ("C:..." or "\\..."),
// s5 for a web address.
std::string DownloadFailureMessage(bool Aborted, const std::string& Source, const std::string& S3,
                                   const std::string& S4, const std::string& S5);

// The size test: Actual (-1 when unknown) and the published Expected differ by less than 100,
// the difference taken in 32-bit signed arithmetic as the published sizes are.
bool SizeWithinTolerance(int64_t Actual, int32_t Expected);

// ---- Windows only (UpdateDownload_win32.cpp) --------------------------------------------------

// Fetches FileName from Folder (or the test-mode folder) by the source rule. The .info file is
// written beside the agent, empty after a failed fetch; the update and inform files land in the
// agent folder and must carry the product's token, or they are deleted and the user is told.
// A failed update download is reported to the user when the .info file asks for confirmation.
// True when the file was fetched (and carries the token). ErrorText is empty on success; an
// error of the .info download beginning with "3" is dropped (the result stays false).
bool DownloadFileAU(const std::string& Folder, const std::string& FileName, int Kind,
                    std::string& ErrorText);

// The published size ("SizeOfUpdateFile", or "SizeOfInformFile" for a notice) against the size
// of the file to be fetched, found by the source rule; logged when it fails.
bool IsDownloadSizeOK(const std::string& Folder, const std::string& UpdateName,
                      const std::string& InformName);

// Whether File carries the running agent's product token: an update program in its package
// header, an inform file in its first field. Any other kind, or no file, carries none.
bool SameProductToken(const std::string& File, int Kind);

// The main window's caption for a download of Kind, in the font of the agent's boxes.
void SetDownloadCaption(int Kind);

}  // namespace au
