// Starting and watching programs from a Win32 test while keeping the test's own windows (the
// debug viewer) answering: every wait dispatches pending messages.
#pragma once

#include <cstdint>
#include <string>

#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace testkit {

// Dispatches pending messages for about ms milliseconds.
void PumpFor(unsigned ms);

struct Started {
  sys::ScopedKernelHandle process;
  uint32_t pid = 0;
  explicit operator bool() const { return static_cast<bool>(process); }
};

// Starts a command line (program path quoted by the caller) in a working folder.
Started StartProcess(const std::string& commandLine, const std::string& folder = "");
// Waits (pumping) for the process to end; false on time-out. exitCode receives its code.
bool WaitForExit(const Started& p, unsigned timeoutMs, uint32_t& exitCode);
// Starts, waits, returns the exit code; -1 when it could not start or did not end in time
// (then it is killed).
int64_t RunToEnd(const std::string& commandLine, unsigned timeoutMs = 20000);

// Waits (pumping) until a top-level window of the class exists; nullptr on time-out.
HWND WaitForWindowClass(const std::string& className, unsigned timeoutMs);

// A file path of the Linux host as the Windows program sees it (through drive Z:).
std::string HostPathToWindows(const std::string& unixPath);
// A fresh empty folder under the temporary folder.
std::string MakeScratchFolder(const std::string& tag);
bool CopyFileTo(const std::string& from, const std::string& to);
std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& data);
bool PathExists(const std::string& path);
// Removes a folder with everything in it.
void DeleteTree(const std::string& folder);

}  // namespace testkit
