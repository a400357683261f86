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

// Why a fetch failed, carried beside its text: callers decide on the kind, never on the wording
// of a text that may begin with any address or file name.
enum class FetchFailure {
  kNone,
  kNoSource,      // neither in the folder nor reachable on the web (off line, say)
  kRefused,       // a name or a file in the agent folder that no download may replace
  kTransfer,      // the copy or the web download failed, or was aborted
  kErrorPage,     // a web server's error page came in place of the file
  kWrongToken,    // the file carries another product's token, or none
  kUnverified,    // a signature or published checksum did not match
  kNotSaved,      // the fetched file could not be put in its place
};

// What a fetch did, for callers that act on the fetched file or on the kind of failure.
struct FetchReport {
  FetchFailure failure = FetchFailure::kNone;
  std::string path;      // update and inform files: where the fetched file lies
  bool inPlace = false;  // the source itself, published in the agent folder: not ours to delete
};

// The path an update or inform file is fetched to: the agent folder and the file-name part of
// its name as published ("v2\Update2.exe" lands as Update2.exe).
std::string FetchedFilePath(const std::string& AgentFolder, const std::string& FileName,
                            sys::LeadBytePredicate IsLeadByte);

// The name a file is fetched and checked under before it takes its place: the destination and
// ".0". Like the download layer's own temporary names it is the destination, "." and digits, so
// the next download's sweep of leftovers removes it when an interrupted run left it behind (and
// the web download's temporary files beside it, "<destination>.0.<digits>", go with the sweep of
// that download). One agent serves a folder, so one fixed name is enough.
std::string StagingName(const std::string& Destination);

// The log text of a fetch without a source.
std::string NoSourceText(const DownloadSource& From, bool TestMode);

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
// written beside the agent, empty after a failed fetch. The update and inform files are fetched
// and checked (token, published checksum) under a staging name, and only then replace an earlier
// download of theirs in the agent folder; a file published in the agent folder itself is checked
// where it lies. Nothing that was in the agent folder before is touched until the new file has
// passed, and no download ever replaces one of the installation's own files (compared by file
// identity) or a file that is no earlier download of this product.
// A failed update download is reported to the user when the .info file asks for confirmation or
// the user asked for this check. True when the file was fetched and passed its checks; ErrorText
// is empty then. Report, when given, says where the file lies or why the fetch failed.
bool DownloadFileAU(const std::string& Folder, const std::string& FileName, int Kind,
                    std::string& ErrorText, FetchReport* Report = nullptr);

// While an object of this kind lives, the .info file that a fetch writes is held against other
// writers, so that the check decides and acts on the bytes it fetched and verified. Without one
// the file is let go as soon as it is written. A check keeps one for its whole length.
class InfoFileHold {
 public:
  InfoFileHold();
  ~InfoFileHold();
  InfoFileHold(const InfoFileHold&) = delete;
  InfoFileHold& operator=(const InfoFileHold&) = delete;
};

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
