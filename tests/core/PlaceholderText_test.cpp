// The text rules of placeholder expansion: the backslash after a folder, collapsing doubled
// backslashes, and the resolution of ".." parts.
#include "paths/PlaceholderText.h"

#include <gtest/gtest.h>

#include <string>

#include "sys/LeadBytes.h"

#include "FakeFullPath.h"

using namespace paths;

namespace {

// Code page 932, where "\" (0x5C) can be the second byte of a character.
const sys::LeadBytePredicate IsShiftJisLeadByte = sys::LeadBytesOfCodePage(932);

TEST(ReplaceFolderPlaceholder, SuffixFollowsTheFolderOnlyWhereMoreOfThePathFollows) {
  struct Case {
    std::string text, result;
  } cases[] = {
      {"<InstallDir>App.exe", "C:\\Tools\\App.exe"},
      {"<InstallDir>\\App.exe", "C:\\Tools\\\\App.exe"},  // collapsed later
      {"<installdir>\\App.exe", "C:\\Tools\\\\App.exe"},
      {"<InstallDir>", "C:\\Tools"},
      // A closing quote ends the folder: "C:\Tools\" would escape the quote on a command line.
      {"\"<InstallDir>\"", "\"C:\\Tools\""},
      {"\"<InstallDir>\" /x", "\"C:\\Tools\" /x"},
      {"\"<InstallDir>App.exe\" /x", "\"C:\\Tools\\App.exe\" /x"},
      {"<InstallDir> /quiet", "C:\\Tools /quiet"},
      {"<InstallDir>\t/quiet", "C:\\Tools\t/quiet"},
      {"|<InstallDir>|x|", "|C:\\Tools|x|"},
      {",<InstallDir>,x,", ",C:\\Tools,x,"},
      {"|<InstallDir>|x", "|C:\\Tools\\|x"},  // not closed: no list
      {"a<InstallDir>a", "aC:\\Tools\\a"},    // a letter is never a separator
      // The first occurrence decides for all of them.
      {"<InstallDir> <InstallDir>x", "C:\\Tools C:\\Toolsx"},
      {"<InstallDir>x <InstallDir>", "C:\\Tools\\x C:\\Tools\\"},
      {"no placeholder", "no placeholder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReplaceFolderPlaceholder(c.text, "<InstallDir>", "C:\\Tools", "\\"), c.result);
  }
}

TEST(ReplaceFolderPlaceholder, AnEmptyFolderTakesNoSuffix) {
  // With a "\" in front, the rest would become a path from the root or a network path.
  EXPECT_EQ(ReplaceFolderPlaceholder("<RunTimeDir_1>\\x.dll", "<RunTimeDir_1>", "", "\\"),
            "\\x.dll");
  EXPECT_EQ(ReplaceFolderPlaceholder("<RunTimeDir_1>x.dll", "<RunTimeDir_1>", "", "\\"),
            "x.dll");
}

TEST(ReplacePlaceholder, EveryOccurrenceOnceWithoutSearchingTheValueAgain) {
  EXPECT_EQ(ReplacePlaceholder("<A>-<a>-<A>", "<A>", "[<A>]"), "[<A>]-[<A>]-[<A>]");
  EXPECT_EQ(ReplacePlaceholder("x", "<A>", "y"), "x");
}

TEST(ReplacePlaceholder, ATextThatWouldOutgrowACommandLineKeepsItsPlaceholder) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "<P>";
  std::string big(1000, 'v');
  EXPECT_EQ(ReplacePlaceholder(text, "<P>", big), text);
  std::string fits(300, 'v');
  std::string result = ReplacePlaceholder(text, "<P>", fits);
  EXPECT_EQ(result.size(), 30000u);
  EXPECT_LE(result.size(), kMaxExpandedLength);
  // A long text may still shrink.
  std::string longText(40000, 'x');
  longText += "<P>";
  EXPECT_EQ(ReplacePlaceholder(longText, "<P>", ""), std::string(40000, 'x'));
  EXPECT_EQ(ReplacePlaceholder(longText, "<P>", "1234"), longText);
}

TEST(CollapseBackslashes, RunsBecomeOneExceptWhereTheyMeanSomething) {
  struct Case {
    std::string text, result;
  } cases[] = {
      {"C:\\\\Tools\\\\App.exe", "C:\\Tools\\App.exe"},
      {"C:\\\\\\\\Tools", "C:\\Tools"},
      {"\\\\Server\\Share\\\\Setups\\x.exe", "\\\\Server\\Share\\Setups\\x.exe"},
      {"\\\\\\Server", "\\\\Server"},
      {"|\\\\Server\\x|C:\\\\y|", "|\\\\Server\\x|C:\\y|"},
      {"|a|\\\\Server\\\\x|", "|a|\\\\Server\\x|"},
      {"a|\\\\b", "a|\\b"},             // not a list: first and last characters differ
      {"C:\\Tools\\\\", "C:\\Tools\\\\"},  // the last two characters stay
      {"\\\\", "\\\\"},
      {"a\\\\", "a\\\\"},
      {"ab", "ab"},
      {"", ""},
      // 0x95 0x5C is one character; the "\" after it is a real one and stays.
      {"C:\\\x95\x5C\\x", "C:\\\x95\x5C\\x"},
      {"C:\\\x95\x5C\\\\x", "C:\\\x95\x5C\\x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CollapseBackslashes(c.text, IsShiftJisLeadByte), c.result);
  }
  // Without the code page's rule every "\" counts.
  EXPECT_EQ(CollapseBackslashes("C:\\\x95\x5C\\x"), "C:\\\x95\\x");
}

std::string TestFullPath(const std::string& Path) { return FakeFullPath(Path, "C:\\Cur"); }

TEST(ExpandRelativePaths, ResolvesTheWholeTextOrEachListItem) {
  struct Case {
    std::string text, result;
  } cases[] = {
      {"C:\\Tools\\..\\Shared\\x.dll", "C:\\Shared\\x.dll"},
      {"C:\\Tools\\.\\x.dll", "C:\\Tools\\.\\x.dll"},  // no ".." part: left alone
      {"..\\x.dll", "C:\\x.dll"},
      {"|C:\\A\\..\\B|x|C:\\C\\.\\D|", "|C:\\B|x|C:\\C\\.\\D|"},
      {",a\\..\\b,,..\\c,", ",C:\\Cur\\b,,C:\\c,"},
      {"|a\\..\\b", "C:\\Cur\\b"},  // unclosed: one relative path, no list
      {"C:\\..\\..\\x", "C:\\..\\..\\x"},  // resolution fails: kept
      {"|C:\\..\\..\\x|C:\\A\\..\\B|", "|C:\\..\\..\\x|C:\\B|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ExpandRelativePaths(c.text, TestFullPath), c.result);
  }
}

}  // namespace
