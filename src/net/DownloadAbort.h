// The download abort flag: a close request on the main window sets it, a running download polls
// it between chunks and stops.
#pragma once

namespace inethttp {

void SetDownloadAbort(bool abort);
bool DownloadAbortRequested();

// Releases the internet library when it was bound; nothing to do before the first download.
void FreeWinInet();

}  // namespace inethttp
