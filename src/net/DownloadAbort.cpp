#include "net/DownloadAbort.h"

namespace inethttp {
namespace {
bool g_abort = false;
}

void SetDownloadAbort(bool abort) { g_abort = abort; }
bool DownloadAbortRequested() { return g_abort; }
void FreeWinInet() {}

}  // namespace inethttp
