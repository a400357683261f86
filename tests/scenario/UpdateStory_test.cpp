// The whole update story with the real programs: a product installed by a setup, its agent
// started as the product starts it, an update published on the local web server, found at the
// agent's scheduled check, confirmed by the user, fetched, the product stopped by the named
// method, the update run, the version recorded, the user told, the product and the agent
// restarted; later checks find nothing to do.
#include <gtest/gtest.h>

#include <algorithm>

#include "AgentProbe.h"
#include "BoxDriver.h"
#include "PublishedUpdate.h"

namespace scenario {
namespace {

const std::string kProductExe = testkit::HostPathToWindows(PRODUCT_EXE_UNIX_PATH);
const char kOriginal[] =
    "[OriginalSetup]\r\nVersionOriginal=1\r\nProbeSecondsInterval=1\r\nReAskSecondsInterval=0\r\n"
    "ProgramName=Tool\r\n"
    "[AutoUpdate]\r\n"
    "s11=Update PROG_NAME now?\r\ns12=<P>It is installed right away.\r\n"
    "s16=PROG_NAME was updated.\r\ns17=<P>Start it again?\r\n"
    "s21=There is no newer version.\r\ns22=Look for a new version of PROG_NAME?\r\n"
    "[MsgBox]\r\nConfirm=Question\r\nAttention=Note\r\n";

using UpdateStory = PublishedUpdate;

TEST_F(UpdateStory, PublishedUpdateIsFoundConfirmedInstalledAndEverythingRestarts) {
  ::CreateDirectoryA(PackageFolder().c_str(), nullptr);
  ASSERT_TRUE(testkit::CopyFileTo(kProductExe, PackageFolder() + "\\Product.exe"));
  Install(kOriginal, {"--update-url", UpdateUrl()});
  testkit::Started product = testkit::StartProcess("\"" + product_ + "\\Product.exe\"", product_);
  ASSERT_TRUE(testkit::WaitForWindowClass(kProductClass, testkit::kPatienceMs));

  // The product starts its agent with a listener and checks from the first tick on.
  testkit::AgentProbe probe;
  const std::string listener = std::to_string(reinterpret_cast<uintptr_t>(probe.Window())) + ":" +
                               std::to_string(testkit::AgentProbe::kListenerMsg);
  ASSERT_TRUE(RunPlainAgent("/WM_MSG=" + listener + " /DELAY=0").ended);
  const uint32_t copy = ProcessOf(WaitForXCopy());
  ASSERT_NE(0u, copy);
  // Nothing published yet: the check cannot fetch the description.
  ASSERT_TRUE(WaitForLineOf(copy, " GetOkToPerformAU=0")) << viewer_.Text();

  const std::string update = testkit::ReadWholeFile(BuildUpdate());
  Publish(update, UpdateInfoText(update,
                                 "RequestConfirmationBeforeDownload=1\r\n"
                                 "ShutDownMethod=Using WM_CLOSE\r\nRestartProcess=1\r\n"
                                 "InformFinish=1\r\nRunningProcess=<InstallDir>\\Product.exe\r\n"
                                 "ProgramName=Tool 2\r\nVersionNew=2\r\nStamp=5\r\n"));
  Answer(copy, "Update Tool 2 now?", "Yes");
  Answer(copy, "Tool 2 was updated.", "Yes");

  // The product was asked to close, the update installed, the version recorded, the update file
  // removed, and the product started again.
  EXPECT_TRUE(testkit::BecomesTrue([&] { return ProductStarts() == 2; }))
      << testkit::ReadWholeFile(product_ + "\\Product.log");
  // Up to its window, so that the end of the test finds it and ends it.
  EXPECT_TRUE(testkit::WaitForWindowClass(kProductClass, testkit::kPatienceMs));
  const std::string log = testkit::ReadWholeFile(product_ + "\\Product.log");
  EXPECT_NE(std::string::npos, log.find("WM_CLOSE 15 255")) << log;
  EXPECT_EQ("2", testkit::ReadWholeFile(product_ + "\\version2.txt"));
  EXPECT_EQ("2", Original("VersionOriginal"));
  EXPECT_EQ("5", Original("Stamp"));
  EXPECT_FALSE(testkit::PathExists(product_ + "\\Update2.exe"));
  for (const auto& [code, value] : {std::pair{41, 1}, {41, 2}, {42, 1}, {42, 2}}) {
    const auto& got = probe.Received();
    EXPECT_TRUE(std::any_of(got.begin(), got.end(), [&](const testkit::Notification& n) {
      return n.code == static_cast<WPARAM>(code) && n.value == value;
    })) << code << " " << value;
  }

  // The agent replaced itself: the old copy ends, a new one starts and finds nothing to do.
  const uint32_t next = ReplacementOf(copy);
  ASSERT_NE(0u, next) << viewer_.Text();
  EXPECT_TRUE(WaitForLineOf(next, " GetOkToPerformAU=2")) << viewer_.Text();

  // Asked by the user, the check passes the handled stamp but finds no newer version.
  ASSERT_TRUE(RunPlainAgent("/TEST=2").ended);
  Answer(next, "Look for a new version of Tool?", "Yes");
  Answer(next, "There is no newer version.", "OK");
  // The console lines of a stub are lost while this test, which shows them, waits on a box; the
  // agent's own log keeps every line.
  EXPECT_TRUE(testkit::BecomesTrue([&] {
    return AgentLog().find("GetOkToPerformAU = 3 - New version is not higher then old version") !=
           std::string::npos;
  }));
}

}  // namespace
}  // namespace scenario
