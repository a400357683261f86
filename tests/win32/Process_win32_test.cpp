// Finding, stopping and watching another program, on real processes: a copy of this test
// program under a name of its own (ProcessHelper.h).
#include "sys/Process.h"

#include <gtest/gtest.h>

#include <string>

#include "ProcessHelper.h"
#include "sys/Platform.h"
#include "sys/ProcessSearch.h"
#include "sys/ProcessViewer.h"

namespace {

using prochelper::Copy;
using prochelper::Helper;

const char kMissingProgram[] = "C:\\nowhere\\NoSuchProgram.exe";

TEST(ProcessSearches, EachFindsTheHelper) {
  struct Case {
    sys::ProcessSearch search;
    bool byName;  // the bare file name instead of the full path
    bool fullPath;
  } cases[] = {
      {sys::ProcessSearch::ToolHelp, true, false},
      {sys::ProcessSearch::Psapi, false, true},
      {sys::ProcessSearch::Psapi, true, false},
      {sys::ProcessSearch::ProcessList, false, false},
      {sys::ProcessSearch::ProcessList, true, false},
  };
  for (const char* mode : {"windows", "plain"}) {
    Helper helper;
    ASSERT_TRUE(helper.Start(mode));
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(mode) + ", search " + std::to_string(static_cast<int>(c.search)) +
                   (c.byName ? " by name" : " by path"));
      // Blanks and quotes around a path are no part of it.
      const std::string target = c.byName ? Copy().Name : "  \"" + Copy().Path + "\" ";
      EXPECT_EQ(sys::FindProcessIdBy(c.search, target, c.fullPath), helper.started.pid);
    }
    // A whole path is asked for: the bare name is no match.
    EXPECT_EQ(sys::FindProcessIdBy(sys::ProcessSearch::Psapi, Copy().Name, true), 0u);
    EXPECT_EQ(sys::FindProcessIdBy(sys::ProcessSearch::ToolHelp, kMissingProgram, false), 0u);
  }
}

TEST(IsProcessRunning, FollowsTheHelperWithOrWithoutWindows) {
  for (const char* mode : {"windows", "plain"}) {
    SCOPED_TRACE(mode);
    Helper helper;
    ASSERT_TRUE(helper.Start(mode));
    EXPECT_TRUE(sys::IsProcessRunning(Copy().Path));
    EXPECT_TRUE(sys::IsProcessRunning("\"" + Copy().Path + "\""));
    ::TerminateProcess(helper.started.process.Get(), 3);
    EXPECT_EQ(helper.ExitCode(), 3);
    EXPECT_FALSE(sys::IsProcessRunning(Copy().Path));
  }
  EXPECT_FALSE(sys::IsProcessRunning(kMissingProgram));
  EXPECT_FALSE(sys::IsProcessRunning(""));
}

TEST(GetProcessList, NamesAProgramWithoutWindows) {
  Helper helper;
  ASSERT_TRUE(helper.Start("plain"));
  const std::string id = std::to_string(helper.started.pid);
  EXPECT_NE(sys::GetProcessList(false, true).find("|" + Copy().Name + "=" + id + "|"),
            std::string::npos);
  EXPECT_NE(sys::GetProcessList(false, false).find("|" + Copy().Name + "|"), std::string::npos);
}

TEST(FindProcessWindow, PicksTheOwnerWindow) {
  Helper helper;
  ASSERT_TRUE(helper.Start("windows"));
  HWND owner = ::FindWindowA(prochelper::kOwnerClass, nullptr);
  ASSERT_NE(owner, nullptr);
  EXPECT_EQ(sys::FindProcessWindow(Copy().Path, true), owner);
  EXPECT_EQ(sys::FindProcessWindow(Copy().Name, false), owner);
  EXPECT_EQ(sys::MainWindowOfProcess(helper.started.pid), owner);
  EXPECT_EQ(sys::FindProcessWindow(kMissingProgram, true), nullptr);
  EXPECT_EQ(sys::MainWindowOfProcess(0), nullptr);
}

TEST(ProcessStops, EachReachesTheMainWindowOrTheProcess) {
  struct Case {
    const char* what;
    bool (*stop)(const std::string& Path);
    int64_t exitCode;
  } cases[] = {
      {"PostProcessMessage",
       [](const std::string& p) {
         return sys::PostProcessMessage(p, true, prochelper::kEndMessage, 5, 7);
       },
       507},
      {"CloseProcess", [](const std::string& p) { return sys::CloseProcess(p, true, 0); },
       15 * 100 + 255},
      {"QuitProcess", [](const std::string& p) { return sys::QuitProcess(p, true); }, 15},
      {"KillProcess", [](const std::string& p) { return sys::KillProcess(p, false); }, 0},
      {"KillProcess by full path", [](const std::string& p) { return sys::KillProcess(p, true); },
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Helper helper;
    ASSERT_TRUE(helper.Start("windows"));
    EXPECT_TRUE(c.stop(Copy().Path));
    EXPECT_EQ(helper.ExitCode(), c.exitCode);
    EXPECT_FALSE(c.stop(Copy().Path));  // nothing left to stop
  }
}

TEST(ProcessStops, CloseProcessWaitsForTheEndWhenAsked) {
  Helper helper;
  ASSERT_TRUE(helper.Start("windows"));
  EXPECT_TRUE(sys::CloseProcess(Copy().Path, true, 20000));
  EXPECT_FALSE(helper.Running());
}

TEST(WaitProcessEnd, ReportsWhetherTheProgramEnded) {
  Helper helper;
  ASSERT_TRUE(helper.Start("windows"));
  EXPECT_FALSE(sys::WaitProcessEnd(Copy().Path, 0));  // gives up while the helper runs on
  EXPECT_TRUE(helper.Running());
  ASSERT_TRUE(sys::PostProcessMessage(Copy().Path, true, prochelper::kEndMessage, 0, 1));
  EXPECT_TRUE(sys::WaitProcessEnd(Copy().Path, 20000));
  EXPECT_EQ(helper.ExitCode(), 1);
  EXPECT_TRUE(sys::WaitProcessEnd(kMissingProgram, 0));
}

TEST(WaitWhileWindowExists, ReturnsOnceTheWindowIsGone) {
  sys::WaitWhileWindowExists("", "");  // nothing to wait for: returns at once
  sys::WaitWhileWindowExists(".NoSuchClassAnywhere.", "");
  for (const std::string title : {"", prochelper::kOwnedTitle}) {
    SCOPED_TRACE(title);
    Helper helper;
    ASSERT_TRUE(helper.Start("windows"));
    ASSERT_TRUE(sys::PostProcessMessage(Copy().Path, true, prochelper::kEndMessage, 0, 2));
    sys::WaitWhileWindowExists(prochelper::kOwnedClass, title);
    EXPECT_EQ(::FindWindowA(prochelper::kOwnedClass, nullptr), nullptr);
    EXPECT_EQ(helper.ExitCode(), 2);
  }
}

}  // namespace
