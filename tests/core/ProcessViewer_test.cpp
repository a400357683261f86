// The window list of running programs and the search in a finished process list.
#include "sys/ProcessViewer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace sys;

namespace {

ListedWindow Window(uint32_t pid, const std::string& program, uintptr_t handle,
                    const std::string& title = "", bool visible = true) {
  ListedWindow w;
  w.ProcessId = pid;
  w.ProgramName = program;
  w.ClassName = "Cls" + std::to_string(handle);
  w.Window = handle;
  w.ThreadId = pid + 1;
  w.Title = title;
  w.Visible = visible;
  return w;
}

TEST(TProcessData, ListsEveryWindowItemByItem) {
  TProcessData data;
  EXPECT_TRUE(data.AddWindow(Window(10, "a.exe", 100, "Main", true)));
  EXPECT_TRUE(data.AddWindow(Window(10, "a.exe", 101, "Left | Right", false)));
  EXPECT_TRUE(data.AddWindow(Window(20, "b.exe", 200)));
  EXPECT_EQ(data.ProcessIds, "|10|10|20|");
  EXPECT_EQ(data.ProgramNames, "|a.exe|a.exe|b.exe|");
  EXPECT_EQ(data.ClassNames, "|Cls100|Cls101|Cls200|");
  EXPECT_EQ(data.Windows, "|100|101|200|");
  EXPECT_EQ(data.ThreadIds, "|11|11|21|");
  EXPECT_EQ(data.Titles, "|Main|Left ? Right||");  // one item per window, whatever the title
  EXPECT_EQ(data.VisibleFlags, "|1|0|1|");
}

TEST(TProcessData, WithoutListAllSkipsKnownProgramsAndStopsAtTheTarget) {
  struct Case {
    const char* what;
    std::string targetName;
    uint32_t targetPid;
    std::string programs;  // listed before the enumeration stopped
    int added;             // windows added before AddWindow said stop
  } cases[] = {
      {"stops at the name", "c.exe", 0xFFFFFFFFu, "|a.exe|b.exe|c.exe|", 4},
      {"stops at the id", "", 20, "|a.exe|b.exe|", 3},
      {"the name compared exactly", "C.EXE", 0xFFFFFFFFu, "|a.exe|b.exe|c.exe|d.exe|", 5},
  };
  const std::vector<ListedWindow> windows = {Window(10, "a.exe", 1), Window(10, "a.exe", 2),
                                             Window(20, "b.exe", 3), Window(30, "c.exe", 4),
                                             Window(40, "d.exe", 5)};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TProcessData data;
    data.ListAll = 0;
    data.TargetName = c.targetName;
    data.TargetProcessId = c.targetPid;
    int calls = 0;
    for (const ListedWindow& w : windows) {
      ++calls;
      if (!data.AddWindow(w)) break;
    }
    EXPECT_EQ(data.ProgramNames, c.programs);
    EXPECT_EQ(calls, c.added);
  }
}

TEST(TProcessData, ProgramListPairsNamesWithIds) {
  TProcessData data;
  data.AddWindow(Window(10, "a.exe", 1));
  data.AddWindow(Window(11, "", 2));  // a process the snapshot no longer knew
  data.AddWindow(Window(10, "a.exe", 3));
  EXPECT_EQ(data.ProgramList(true), "|a.exe=10|a.exe=10|");
  EXPECT_EQ(data.ProgramList(false), "|a.exe|a.exe|");
  EXPECT_EQ(TProcessData().ProgramList(true), "|");
}

TEST(FindIdInProcessList, TakesTheLastMatchingItem) {
  // Short paths as the system would give them for the names of this list.
  auto shortPathOf = [](const std::string& name) -> std::string {
    return name == "LongProgramName.exe" ? "LONGPR~1.EXE" : "";
  };
  const std::string list =
      "|System Idle Process=0|tool.exe=40|Other.exe=50|TOOL.EXE=60|a=b.exe=70|"
      "LongProgramName.exe=80|broken|bad.exe=x1|zero.exe=0|";
  struct Case {
    std::string name, shortPath;
    uint32_t id;
  } cases[] = {
      {"Tool.exe", "", 60},  {"other.exe", "", 50},        {"a=b.exe", "", 70},
      {"x.exe", "LONGPR~1.EXE", 80}, {"missing.exe", "", 0}, {"broken", "", 0},
      {"bad.exe", "", 0},    {"zero.exe", "", 0},          {"", "", 0},
      {"System Idle Process", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindIdInProcessList(list, c.name, c.shortPath, shortPathOf), c.id);
  }
}

TEST(ProcessListUsesPsapi, OnlyOnWindowsXP) {
  WindowsVersion v;
  v.PlatformId = kPlatformWindowsNT;
  v.Major = 5;
  v.Minor = 1;
  EXPECT_TRUE(ProcessListUsesPsapi(v));
  v.Minor = 0;
  EXPECT_FALSE(ProcessListUsesPsapi(v));
  v.Major = 6;
  v.Minor = 1;
  EXPECT_FALSE(ProcessListUsesPsapi(v));
}

}  // namespace
