#include "StubRunner.h"

#include "StubpackCli.h"

namespace scenario {

const std::string kStubExe = testkit::HostPathToWindows(STUB_EXE_UNIX_PATH);

bool StubRun::Has(const std::string& line) const {
  for (const auto& l : lines)
    if (l == line) return true;
  return false;
}

bool StubRun::HasStart(const std::string& prefix) const {
  for (const auto& l : lines)
    if (l.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

void StubScenario::SetUp() {
  ASSERT_TRUE(viewer_.IsOpen());
  folder_ = testkit::MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\readme.txt", "A file of the sample product.\r\n"));
}

void StubScenario::TearDown() { testkit::DeleteTree(folder_); }

std::string StubScenario::Pack(const std::string& name, std::vector<std::string> options) {
  const std::string out = folder_ + "\\" + name;
  if (name.find('\\') != std::string::npos)  // a package of its own folder
    ::CreateDirectoryA(out.substr(0, out.rfind('\\')).c_str(), nullptr);
  std::vector<std::string> args = {"stubpack", "build", "--stub", kStubExe, "--out", out};
  args.insert(args.end(), options.begin(), options.end());
  args.push_back(folder_ + "\\readme.txt");
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(&a[0]);
  std::string stdoutText, stderrText;
  int rc = stubpack::StubpackMain(static_cast<int>(argv.size()), argv.data(), stdoutText, stderrText);
  EXPECT_EQ(0, rc) << stderrText;
  return out;
}

StubRun StubScenario::Collect(testkit::Started& process, const std::string& commandLine,
                              unsigned timeoutMs) {
  StubRun run;
  run.pid = process.pid;
  run.commandLine = commandLine;
  run.ended = testkit::WaitForExit(process, timeoutMs, run.exitCode);
  if (!run.ended) ::TerminateProcess(process.process.Get(), 99);
  const std::string prefix = std::to_string(run.pid);
  for (const auto& line : viewer_.LinesStartingWith(prefix + " "))
    run.lines.push_back(line.substr(prefix.size()));
  return run;
}

StubRun StubScenario::Run(const std::string& path, const std::string& args, unsigned timeoutMs) {
  const std::string commandLine = "\"" + path + "\"" + (args.empty() ? "" : " " + args);
  testkit::Started process = testkit::StartProcess(commandLine, folder_);
  EXPECT_TRUE(process) << commandLine;
  if (!process) return StubRun();
  return Collect(process, commandLine, timeoutMs);
}

StubRun StubScenario::RunAndClose(const std::string& path, const std::string& windowClass,
                                  const std::string& args, const std::string& waitForLine,
                                  const std::function<bool()>& ready) {
  const std::string commandLine = "\"" + path + "\"" + (args.empty() ? "" : " " + args);
  testkit::Started process = testkit::StartProcess(commandLine, folder_);
  EXPECT_TRUE(process) << commandLine;
  if (!process) return StubRun();
  HWND wnd = testkit::WaitForWindowClass(windowClass, testkit::kPatienceMs);
  EXPECT_TRUE(wnd != nullptr) << "no window of class " << windowClass;
  const std::string awaited = std::to_string(process.pid) + waitForLine;
  if (wnd && !waitForLine.empty()) {
    EXPECT_TRUE(testkit::BecomesTrue([&] { return !viewer_.LinesStartingWith(awaited).empty(); }))
        << "no line" << waitForLine << "\n" << viewer_.Text();
  }
  if (wnd && ready) {
    EXPECT_TRUE(testkit::BecomesTrue(ready));
  }
  if (wnd) CloseTwice(wnd);
  return Collect(process, commandLine, testkit::kPatienceMs);
}

void StubScenario::CloseTwice(HWND wnd) {
  ::PostMessageA(wnd, WM_CLOSE, 0, 0);
  testkit::PumpFor(200);
  ::PostMessageA(wnd, WM_CLOSE, 0, 0);
}

}  // namespace scenario
