#include "ui/Markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace komsgbox;

namespace {

TEST(MarkupExpand, ReplacesEscapesAndTagsInOnePass) {
  struct Case {
    std::string text, expanded;
  } cases[] = {
      {"a\\\\nb", "a\r\nb"},   // two backslashes and n
      {"a\\nb", "a\\nb"},      // a single backslash is shown as typed
      {"a\\\\Nb", "a\\\\Nb"},  // the escapes are case-sensitive
      {"a\\\\tb", "a\tb"},
      {"a\\\\Tb", "a\\\\Tb"},
      {"x<P>y<p>z", "x\r\ny\r\nz"},  // tags in any case
      {"x<T>y<t>z", "x\ty\tz"},
      {"<<P>P>", "<\r\nP>"},  // inserted text is never searched again
      {"<P<T>>", "<P\t>"},
      {"\\\\\\\\n", "\\\\\r\n"},  // leftmost match first
      {"<b>, <BR>, <PP>", "<b>, <BR>, <PP>"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ExpandMarkup(c.text), c.expanded);
  }
}

TEST(MarkupHeading, CapitalisesOnlyTheBuiltInCaptions) {
  struct Case {
    std::string caption, heading;
  } cases[] = {
      {"Error", "ERROR"},
      {"Attention", "ATTENTION"},
      {"Confirm", "CONFIRM"},
      {"error", "ERROR"},
      {"Fehler", "Fehler"},
      {"Warning", "Warning"},
      {"Setup of Tool 2", "Setup of Tool 2"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(WithHeading("Disk full", c.caption), "<<b>" + c.heading + "</b><P><P>Disk full<P>");
  }
}

TEST(MarkupHeading, BecomesABoldFirstLineFollowedByABlankLine) {
  const MarkedText shown = ParseMarkup(WithHeading("Disk <B>2</B> missing", "Error"));
  EXPECT_EQ(shown.plain, "ERROR\r\n\r\nDisk 2 missing\r\n");
  EXPECT_EQ(shown.bold, (std::vector<BoldRun>{{0, 5}, {14, 15}}));
}

TEST(MarkupBold, FindsRunsCountingLineBreaksAsTwoCharacters) {
  struct Case {
    std::string what, text, plain;
    std::vector<BoldRun> bold;
  } cases[] = {
      {"upper case", "a<B>bold</B>c", "aboldc", {{1, 5}}},
      {"lower case", "a<b>bold</b>c", "aboldc", {{1, 5}}},
      {"mixed case", "a<b>bold</B>c", "aboldc", {{1, 5}}},
      {"two runs", "<b>a</b> and <b>b</b>", "a and b", {{0, 1}, {6, 7}}},
      {"after line breaks", "x<P>\\\\n<b>y</b>", "x\r\n\r\ny", {{5, 6}}},
      {"across a line break", "<b>x<p>y</b>", "x\r\ny", {{0, 4}}},
      {"heading opening at the start", "<<b>x</b> y", "x y", {{0, 1}}},
      {"<<b> elsewhere keeps a <", "a <<b>x</b>", "a <x", {{3, 4}}},
      {"<<B> at the start is no heading", "<<B>x</B>", "<x", {{1, 2}}},
      {"closing before opening", "a</b>b<b>c", "abc", {}},
      {"lone opening tag", "a<b>bc", "abc", {}},
      {"lone closing tag", "a</b>bc", "abc", {}},
      {"empty run", "a<b></b>c", "ac", {}},
      {"a stray closing tag blocks later runs", "<b>a</b></b>b<b>c</b>", "abc", {{0, 1}}},
      {"nested runs stay inside the text", "<b><b>a</b></b>", "a", {{0, 1}, {0, 1}}},
      {"no tags", "plain", "plain", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const MarkedText shown = ParseMarkup(c.text);
    EXPECT_EQ(shown.plain, c.plain);
    EXPECT_EQ(shown.bold, c.bold);
  }
}

}  // namespace
