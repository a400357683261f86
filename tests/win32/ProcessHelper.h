// A copy of the test program, started as a helper process with windows or console output,
// for the tests of process searches and captured runs. The copy carries a name of its own, so
// that no search mistakes the test program for it.
#pragma once

#include <cstdint>
#include <string>

#include "Processes.h"
#include "sys/Platform.h"

namespace prochelper {

constexpr char kHelperSwitch[] = "--process-helper=";
// Mode "windows": a hidden untitled owner window of kOwnerClass and a visible window of
// kOwnedClass titled kOwnedTitle that it owns. WM_CLOSE or kEndMessage to the owner ends the
// helper with exit code wParam * 100 + lParam; to the owned window with kOwnedWindowExit;
// WM_QUIT with its wParam.
// Mode "plain": no window; runs until it is ended from outside.
// Mode "stdin": reads standard input to its end, then writes "eof" and ends with 0.
// Mode "chatty": writes "tick" lines until it is ended from outside.
// Mode "exit259": ends at once with exit code 259, which otherwise means "still active".
constexpr char kOwnerClass[] = ".ProcTestOwner.";
constexpr char kOwnedClass[] = ".ProcTestOwned.";
constexpr char kOwnedTitle[] = "Owned Test Window";
constexpr UINT kEndMessage = WM_APP + 1;
constexpr int kOwnedWindowExit = 9;

// The copy of the test program, made on first use in a scratch folder that goes after the last
// test.
struct HelperCopy {
  std::string Folder;
  std::string Name;  // "ProcHelper<test process id>.exe"
  std::string Path;
};
const HelperCopy& Copy();

// A started helper, terminated when the test leaves it running.
struct Helper {
  testkit::Started started;
  Helper() = default;
  Helper(const Helper&) = delete;
  Helper& operator=(const Helper&) = delete;
  ~Helper();
  // Starts the copy in Mode; for "windows" it returns once the windows exist.
  bool Start(const std::string& Mode);
  bool Running() const;
  // The exit code once it has ended; -1 when it did not end within 20 seconds. The handle is
  // closed then, so that no search can come across the ended process.
  int64_t ExitCode();
};

}  // namespace prochelper
