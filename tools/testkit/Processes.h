// Starting and watching programs from a Win32 test while keeping the test's own windows (the
// debug viewer) answering: every wait dispatches pending messages.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace testkit {

// Dispatches pending messages for about ms milliseconds.
void PumpFor(unsigned ms);

// The bound of a wait for another program to get somewhere. Generous: a wait ends as soon as its
// condition holds, and a run through an emulator is many times slower than a native one.
constexpr unsigned kPatienceMs = 60000;
// Waits (pumping) until what() holds; false when it still does not after timeoutMs.
bool BecomesTrue(const std::function<bool()>& what, unsigned timeoutMs = kPatienceMs);

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

// The self-removal batch that an ended transient agent or span copy leaves running; it deletes
// itself last, so its absence says that it has done its work.
std::string SelfRemovalBatchPath();
bool GoneWithin(const std::string& path, unsigned timeoutMs = kPatienceMs);

// Terminates the process of every top-level window of ClassName until none is left; a window
// that outlives its ended process for a moment is waited out. False when one stays.
bool EndProcessesWithWindowClass(const std::string& className);

// A file path of the Linux host as the Windows program sees it (through drive Z:).
std::string HostPathToWindows(const std::string& unixPath);
// A fresh empty folder under the temporary folder.
std::string MakeScratchFolder(const std::string& tag);
bool CopyFileTo(const std::string& from, const std::string& to);
std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& data);
bool PathExists(const std::string& path);
// What another program meets when it opens an existing file for writing, or deletes it: 0 when
// it got through, else the system's error code (ERROR_SHARING_VIOLATION for a held file).
uint32_t OpenForWritingError(const std::string& path);
uint32_t DeleteError(const std::string& path);
// Removes a folder with everything in it.
void DeleteTree(const std::string& folder);

}  // namespace testkit
