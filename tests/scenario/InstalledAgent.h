// Scenario fixture: a product installed the way a user gets it. A setup built by stubpack
// with the reference Engine.exe leaves the agent "Tool.exe" (the setup's agent copy) and its
// "Tool.original" file in folder_\product; the agent's debug log is on. Helpers find, talk to
// and end the agent's transient copy "X_Tool.exe", which the tests never start themselves.
#pragma once

#include <string>
#include <vector>

#include "StubRunner.h"

namespace scenario {

class InstalledAgent : public StubScenario {
 protected:
  static constexpr const char* kXCopyClass = ".AutoUpdate.X_Tool";
  static constexpr const char* kToken = "PRODUCTTOKEN0123456789ABCDEFGHIJ";

  void SetUp() override;
  void TearDown() override;

  // Builds and runs the setup; original is the text of Tool.original (section headers and all).
  // extraOptions go to stubpack (e.g. --update-url); files put into PackageFolder() before are
  // installed too. Fails the test when nothing was installed.
  void Install(const std::string& original, std::vector<std::string> extraOptions = {});
  std::string PackageFolder() const { return folder_ + "\\package"; }
  // The stubpack options that make a package of this product: its agent, description files and
  // token, with the update server's folder when given.
  static std::vector<std::string> ProductOptions(const std::string& updateUrl = "");

  // Runs the plain agent with args and waits for its end; it never keeps a window.
  StubRun RunPlainAgent(const std::string& args);

  // The transient copy's window once it exists; null when none came in time.
  HWND WaitForXCopy();
  // The process behind a window (0 when the window is gone).
  static uint32_t ProcessOf(HWND wnd);
  // Console lines of a process with its id removed (as in StubRun::lines).
  std::vector<std::string> LinesOf(uint32_t pid);
  bool WaitForLineOf(uint32_t pid, const std::string& text);
  // The debug log of the transient copy, which keeps every line even while the console's viewer
  // misses them.
  std::string AgentLog() const;
  // Waits for the process to end; false when it still runs after the patience.
  static bool WaitForProcessEnd(uint32_t pid);

  std::string product_;  // folder_\product: the installation
  std::string agent_;    // product_\Tool.exe
  std::string xCopy_;    // product_\X_Tool.exe
};

}  // namespace scenario
