// The stub's only network client, over the Windows Internet library (WinINet): whether the
// machine is on line, the announced size of the file behind a URL, and the download of that file
// into a file on disk or into memory, with the progress bar moving and the abort flag
// (DownloadAbort.h) checked between chunks. No retries here: callers decide.
// Win32 (InetHTTP_win32.cpp); the rules that need no system are in InetRules.h.
#pragma once

#include <cstdint>
#include <string>

#include "net/DownloadAbort.h"

namespace koprogbar {
class TProgBar;
}

namespace inethttp {

// True when the system reports a connection; otherwise ErrorText is the system's message.
bool IsInternetConnected(std::string& ErrorText);
bool IsInternetConnected();

// The length the server announces for URL; -1 without a session, a request or a length.
int64_t HTTP_GetFileSize(const std::string& URL);

// Deletes the temporary files that earlier downloads to DestFile left (IsLeftoverName: DestFile
// + "." + digits, nothing else). The system's search for "DestFile.*" also reports DestFile
// itself, which must survive a download that fails.
void DeleteDownloadLeftovers(const std::string& DestFile);

// Downloads URL into DestFile (through a temporary file that is renamed only when complete: the
// announced length arrived or, when the server announced none, the data reached its marked end),
// or into Content when DestFile is empty. Window (a window handle above 10) is shown first;
// ProgressBar, when given, steps once per chunk. ErrorText is empty on success; a download that
// is not complete always says why.
void HTTP_DownloadFile_Incremental(uintptr_t Window, const std::string& URL,
                                   const std::string& DestFile, koprogbar::TProgBar* ProgressBar,
                                   std::string& Content, std::string& ErrorText);

}  // namespace inethttp
