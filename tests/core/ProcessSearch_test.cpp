// The rules of the process searches: which search serves which Windows, and what matches.
#include "sys/ProcessSearch.h"

#include <gtest/gtest.h>

#include <string>

using namespace sys;

namespace {

WindowsVersion Version(uint32_t Platform, uint32_t Major, uint32_t Minor) {
  WindowsVersion v;
  v.PlatformId = Platform;
  v.Major = Major;
  v.Minor = Minor;
  return v;
}

TEST(ProcessSearchChoice, FollowsTheWindowsVersion) {
  struct Case {
    uint32_t platform, major, minor;
    ProcessSearch window, running;
  } cases[] = {
      {1, 4, 0, ProcessSearch::ToolHelp, ProcessSearch::ToolHelp},      // 95
      {1, 4, 90, ProcessSearch::ToolHelp, ProcessSearch::ToolHelp},     // ME
      {2, 4, 0, ProcessSearch::Psapi, ProcessSearch::ProcessList},      // NT 4
      {2, 5, 1, ProcessSearch::Psapi, ProcessSearch::ProcessList},      // XP
      {2, 6, 1, ProcessSearch::Psapi, ProcessSearch::ProcessList},      // 7
      {2, 6, 2, ProcessSearch::Tasklist, ProcessSearch::ProcessList},   // 8
      {2, 10, 0, ProcessSearch::Tasklist, ProcessSearch::ProcessList},  // 10
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.platform) + " " + std::to_string(c.major) + "." +
                 std::to_string(c.minor));
    WindowsVersion v = Version(c.platform, c.major, c.minor);
    EXPECT_EQ(WindowSearchFor(v), c.window);
    EXPECT_EQ(RunningSearchFor(v), c.running);
  }
}

TEST(ProcessNamesMatch, IgnoresBlanksAroundAndLetterCase) {
  struct Case {
    std::string a, b;
    bool match;
  } cases[] = {
      {"tool.exe", "TOOL.EXE", true}, {" Tool.exe\t", "tool.exe", true},
      {"tool.exe", "tool.ex", false}, {"tool.exe", "", false},
      {"", "", false},                {"  ", " ", false},
      {"C:\\A\\t.exe", "c:\\a\\T.EXE", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a + " / " + c.b);
    EXPECT_EQ(ProcessNamesMatch(c.a, c.b), c.match);
    EXPECT_EQ(ShortPathsMatch(c.a, c.b), c.match);
  }
}

TEST(ProcessFileName, TakesThePartAfterTheLastSeparator) {
  struct Case {
    std::string path, name;
  } cases[] = {
      {"C:\\App\\Tool.exe", "Tool.exe"}, {"Tool.exe", "Tool.exe"}, {"C:Tool.exe", "Tool.exe"},
      {"D:/x/y.exe", "y.exe"},           {"C:\\App\\", ""},        {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ProcessFileName(c.path), c.name);
  }
}

TEST(ProcessMatches, ComparesPathsNamesAndShortPaths) {
  const ProcessCandidate tool{"C:\\Program Files\\App\\Tool.exe", "Tool.exe",
                              "C:\\PROGRA~1\\App\\Tool.exe"};
  struct Case {
    ProcessTarget target;
    ProcessCandidate candidate;
    bool fullPath;
    bool match;
  } cases[] = {
      {{"c:\\program files\\app\\TOOL.EXE", ""}, tool, true, true},
      {{"c:\\program files\\app\\TOOL.EXE", ""}, tool, false, true},
      {{"tool.exe", ""}, tool, false, true},
      {{"tool.exe", ""}, tool, true, false},  // a whole path is asked for
      {{"D:\\Other\\Tool.exe", ""}, tool, false, false},
      {{"C:\\Progra~1\\App\\Tool.exe", "C:\\PROGRA~1\\App\\Tool.exe"}, tool, true, true},
      {{"X:\\gone\\Tool2.exe", ""}, {"Tool2.exe", "Tool2.exe", ""}, true, false},
      {{"Tool2.exe", ""}, {"Tool2.exe", "Tool2.exe", ""}, true, true},
      {{"", ""}, {"", "", ""}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target.Path + (c.fullPath ? " (full path)" : ""));
    EXPECT_EQ(ProcessMatches(c.target, c.candidate, c.fullPath), c.match);
  }
}

TEST(SystemProcessName, NamesThePseudoProcesses) {
  struct Case {
    uint32_t id;
    uint32_t major, minor;
    std::string name;
  } cases[] = {
      {0, 5, 1, "System Idle Process"}, {2, 4, 0, "System Process"}, {8, 5, 0, "System Process"},
      {2, 5, 0, ""},                    {8, 5, 1, ""},               {4, 5, 1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(SystemProcessName(c.id, Version(2, c.major, c.minor)), c.name);
  }
}

}  // namespace
