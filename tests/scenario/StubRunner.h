// Scenario fixture: builds packages with stubpack onto the real stub.exe, runs them under the
// system (Wine here) and reads what a caller can observe: console lines through a debug viewer,
// exit codes, files.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DebugViewer.h"
#include "Processes.h"

namespace scenario {

extern const std::string kStubExe;

struct StubRun {
  bool ended = false;
  uint32_t exitCode = 0;
  uint32_t pid = 0;
  std::string commandLine;
  std::vector<std::string> lines;  // this process's console lines, pid and blank removed

  bool Has(const std::string& line) const;
  bool HasStart(const std::string& prefix) const;
};

class StubScenario : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a package onto a copy of stub.exe at folder\name with the given stubpack options
  // (a small sample file is always packed). Fails the test when stubpack fails.
  std::string Pack(const std::string& name, std::vector<std::string> options);
  // Runs path with args; waits up to timeoutMs.
  StubRun Run(const std::string& path, const std::string& args = "", unsigned timeoutMs = 20000);
  // Starts path, waits for its window class (and, when given, for one of its console lines and
  // for ready() to hold), asks it twice to close (the first request only stops a download), and
  // waits for the end.
  StubRun RunAndClose(const std::string& path, const std::string& windowClass,
                      const std::string& args = "", const std::string& waitForLine = "",
                      const std::function<bool()>& ready = nullptr);
  StubRun Collect(testkit::Started& process, const std::string& commandLine, unsigned timeoutMs);
  // Asks a stub's main window to close twice, as RunAndClose does.
  static void CloseTwice(HWND wnd);

  std::string folder_;
  testkit::DebugViewer viewer_;
};

}  // namespace scenario
