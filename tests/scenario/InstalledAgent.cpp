#include "InstalledAgent.h"

#include "Processes.h"

namespace scenario {
namespace {

const std::string kEngineExe = testkit::HostPathToWindows(ENGINE_EXE_UNIX_PATH);

}  // namespace

void InstalledAgent::SetUp() {
  StubScenario::SetUp();
  product_ = folder_ + "\\product";
  agent_ = product_ + "\\Tool.exe";
  xCopy_ = product_ + "\\X_Tool.exe";
}

void InstalledAgent::TearDown() {
  testkit::EndProcessesWithWindowClass(kXCopyClass);
  StubScenario::TearDown();
}

std::vector<std::string> InstalledAgent::ProductOptions(const std::string& updateUrl) {
  std::vector<std::string> options = {"--make-agent-copy", "--agent-exe", "Tool.exe",
                                      "--info-file", "Tool.info", "--product-token", kToken,
                                      "--agent-debug-log"};
  if (!updateUrl.empty()) options.insert(options.end(), {"--update-url", updateUrl});
  return options;
}

void InstalledAgent::Install(const std::string& original, std::vector<std::string> extraOptions) {
  const std::string package = PackageFolder();
  ::CreateDirectoryA(package.c_str(), nullptr);
  ASSERT_TRUE(testkit::CopyFileTo(kEngineExe, package + "\\Engine.exe"));
  ASSERT_TRUE(testkit::WriteWholeFile(package + "\\Tool.original", original));
  ASSERT_TRUE(testkit::WriteWholeFile(
      package + "\\Engine.ini",
      "[Engine]\r\nTargetDir=" + product_ + "\r\nOriginalFile=Tool.original\r\n"));
  std::vector<std::string> options = ProductOptions();
  options.insert(options.end(), extraOptions.begin(), extraOptions.end());
  options.insert(options.end(), {"--dir", package, "--run", "Engine.exe*/S"});
  const std::string setup = Pack("Setup.exe", options);
  const StubRun run = Run(setup, "/hide", testkit::kPatienceMs);
  ASSERT_TRUE(run.ended);
  ASSERT_EQ(0u, run.exitCode);
  ASSERT_TRUE(testkit::PathExists(agent_)) << "the setup installed no agent";
  ASSERT_TRUE(testkit::PathExists(product_ + "\\Tool.original"));
}

StubRun InstalledAgent::RunPlainAgent(const std::string& args) {
  const std::string commandLine = "\"" + agent_ + "\"" + (args.empty() ? "" : " " + args);
  testkit::Started process = testkit::StartProcess(commandLine, product_);
  EXPECT_TRUE(process) << commandLine << " (system error " << ::GetLastError() << ")";
  if (!process) return StubRun();
  return Collect(process, commandLine, testkit::kPatienceMs);
}

HWND InstalledAgent::WaitForXCopy() {
  return testkit::WaitForWindowClass(kXCopyClass, testkit::kPatienceMs);
}

uint32_t InstalledAgent::ProcessOf(HWND wnd) {
  DWORD pid = 0;
  if (wnd) ::GetWindowThreadProcessId(wnd, &pid);
  return pid;
}

std::vector<std::string> InstalledAgent::LinesOf(uint32_t pid) {
  const std::string id = std::to_string(pid);
  std::vector<std::string> lines;
  for (const auto& line : viewer_.LinesStartingWith(id + " ")) lines.push_back(line.substr(id.size()));
  return lines;
}

bool InstalledAgent::WaitForLineOf(uint32_t pid, const std::string& text) {
  return testkit::BecomesTrue([&] {
    for (const auto& line : LinesOf(pid))
      if (line.compare(0, text.size(), text) == 0) return true;
    return false;
  });
}

std::string InstalledAgent::AgentLog() const {
  return testkit::ReadWholeFile(product_ + "\\X_Tool.log");
}

bool InstalledAgent::WaitForProcessEnd(uint32_t pid) {
  sys::ScopedKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
  if (!process) return true;  // already gone
  return testkit::BecomesTrue(
      [&] { return ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; });
}

}  // namespace scenario
