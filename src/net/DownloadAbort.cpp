// The abort flag is plain state, shared by the Win32 download and the portable callers; the
// internet library that FreeWinInet releases belongs to WinInetBinding_win32.cpp.
#include "net/DownloadAbort.h"

namespace inethttp {
namespace {
bool g_abort = false;
}

void SetDownloadAbort(bool abort) { g_abort = abort; }
bool DownloadAbortRequested() { return g_abort; }

}  // namespace inethttp
