#include "sys/Switches.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "sys/Host.h"
#include "sys/UtilsText.h"

using namespace sys;

namespace {

const std::string kProgram = "C:\\Apps\\Setup.exe";

TEST(SwitchesCommandTail, DropsTheProgramPathInAnyForm) {
  struct Case {
    std::string commandLine, programPath, tail;
  } cases[] = {
      {"\"C:\\Apps\\Setup.exe\" /SleepX=5 /hide", kProgram, "/SleepX=5 /hide"},
      {"C:\\Apps\\Setup.exe /hide", kProgram, "/hide"},
      {"\"c:\\apps\\SETUP.EXE\"  /a ", kProgram, "/a"},
      {"Setup.exe /a", kProgram, "/a"},
      {"\"C:\\Apps\\Setup.exe\"", kProgram, ""},
      {"\"C:\\Apps\\Setup.exe\" x", kProgram, ""},  // a lone character is no argument
      {"\"C:\\Apps\\Setup.exe\" /a \"C:\\Apps\\Setup.exe\"", kProgram,
       "/a \"C:\\Apps\\Setup.exe\""},
      {"/opt/app/stub /a", "/opt/app/stub", "/a"},
      {"other.exe /a", kProgram, "other.exe /a"},
      {" prog /a ", "", "prog /a"},
      // A path without a file name must not cut the line at its first quote.
      {"\"x\" /a", "C:\\dir\\", "\"x\" /a"},
      {"C:\\dir\\ /a", "C:\\dir\\", "/a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.commandLine);
    EXPECT_EQ(CommandTailOf(c.commandLine, c.programPath), c.tail);
  }
}

// Expected lists are written with "|" standing for the switch delimiter, the byte 1.
std::string SwitchDelimited(std::string text) {
  std::replace(text.begin(), text.end(), '|', '\1');
  return text;
}

TEST(SwitchesSwitchList, SplitsAtBlanksFollowedByTheSwitchCharacter) {
  struct Case {
    std::string tail;
    char c;
    std::string expected;
  } cases[] = {
      {"/a=1 /b", '/', "||a=1|b|"},
      {"-x -y=2 /z", '-', "||x|y=2 /z|"},
      {"/p=\"C:\\a b\" /q", '/', "||p=C:\\a b|q|"},
      {"/a=x/y /b", '/', "||a=x/y|b|"},
      {"file /a", '/', "| file|a|"},
      {"", '/', "| |"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tail);
    EXPECT_EQ(SwitchList(c.tail, c.c), SwitchDelimited(c.expected));
  }
}

TEST(SwitchesGetSwitchValue, ReadsTheFirstValueOfANamedSwitch) {
  const std::string tail =
      "/SleepX=5 /hide /Path=\"C:\\Program Files\\x\" /Empty= /Twice=1 /twice=2 "
      "/Spaced=a b /Pad=  v  ";
  struct Case {
    std::string name, expected;
  } cases[] = {
      {"/SleepX=", "5"},
      {"sleepx", "5"},
      {" SLEEPX= ", "5"},
      {"/hide", "<default>"},  // a switch without "=" has no value
      {"/Path=", "C:\\Program Files\\x"},
      {"/Empty=", ""},
      {"/Twice=", "1"},
      {"/Spaced=", "a b"},
      {"/Pad=", "v"},
      {"/Missing=", "<default>"},
      {"", "<default>"},
      {"   ", "<default>"},
      {"/", "<default>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GetSwitchValueIn(tail, c.name, "<default>"), c.expected);
  }
  EXPECT_EQ(GetSwitchValueIn(tail, "/Missing=", " kept as given "), " kept as given ");
}

TEST(SwitchesGetSwitchValue, DashSwitchesEndAtABlankFollowedByADash) {
  const std::string tail = "-d=7 -e /x=1 -f=a /y";
  EXPECT_EQ(GetSwitchValueIn(tail, "-d=", "<default>"), "7");
  EXPECT_EQ(GetSwitchValueIn(tail, "-f=", "<default>"), "a /y");
  EXPECT_EQ(GetSwitchValueIn(tail, "/d=", "<default>"), "<default>");
  EXPECT_EQ(GetSwitchValueIn(tail, "/x=", "<default>"), "1 -f=a");
}

TEST(SwitchesGetSwitchInt, ReadsNumbersOrGivesTheDefault) {
  struct Case {
    std::string tail;
    int64_t expected;
  } cases[] = {
      {"/SleepX=5 /hide", 5},  {"/sleepx=-3", -3}, {"/SleepX=$10", 16}, {"/SleepX=abc", -1},
      {"/SleepX=", -1},        {"/hide", -1},      {"", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tail);
    EXPECT_EQ(GetSwitchIntIn(c.tail, "/SleepX=", -1), c.expected);
  }
}

TEST(SwitchesHasSwitch, NeedsTheWholeSwitchFollowedByABlank) {
  struct Case {
    std::string tail, name;
    bool expected;
  } cases[] = {
      {"/SleepX=5 /hide", "/hide", true},   {"/SleepX=5 /hide", "/hid", false},
      {"/SleepX=5 /hide", "/HIDE", true},   {"/hide /SleepX=5", "/hide", true},
      {"/hidden", "/hide", false},          {"/SleepX=5 /hide", "/SleepX=5", true},
      {"/SleepX=5 /hide", "", false},       {"", "/hide", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tail + " / " + c.name);
    EXPECT_EQ(HasSwitchIn(c.tail, c.name), c.expected);
  }
}

TEST(SwitchesEndToEnd, QuotedProgramPathFollowedBySwitches) {
  std::string tail = CommandTailOf("\"" + kProgram + "\" /SleepX=5 /hide", kProgram);
  EXPECT_EQ(tail, "/SleepX=5 /hide");
  EXPECT_EQ(GetSwitchIntIn(tail, "/SleepX=", -1), 5);
  EXPECT_TRUE(HasSwitchIn(tail, "/hide"));
  EXPECT_FALSE(HasSwitchIn(tail, "/hid"));
}

TEST(SwitchesProcess, TheRunningProgramIsNoPartOfItsOwnTail) {
  std::string path = ProgramPath();
  std::string fileName = path.substr(path.find_last_of("\\/") + 1);
  ASSERT_FALSE(fileName.empty());
  EXPECT_EQ(PosNoCase(CommandTail(), path), 0u);
  EXPECT_FALSE(StartsWith(CommandTail(), fileName, true));
  EXPECT_FALSE(HasSwitch("/NoSuchSwitchForTheTests"));
  EXPECT_EQ(GetSwitchValue("/NoSuchSwitchForTheTests=", "fallback"), "fallback");
  EXPECT_EQ(GetSwitchInt("/NoSuchSwitchForTheTests=", 77), 77);
}

}  // namespace
