#include "sys/KoSUB.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using sys::SUB;
using namespace std::string_literals;

namespace {

TEST(KoSUBItemCount, CountsOnlyItemsOfAClosedList) {
  struct Case {
    std::string list;
    int count;
  } cases[] = {
      {"|a|b|c|", 3}, {"|a|b|c", 0}, {"|", 0},   {"||", 1},        {"", 0},
      {"|a||c|", 3},  {"*a|b*", 1},  {"ab", 0},  {"\0"s, 0},       {"\0a\0"s, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    EXPECT_EQ(SUB::ItemCount(c.list), c.count);
  }
}

TEST(KoSUBGetItem, ReturnsItemOrDefault) {
  struct Case {
    std::string list;
    int index;
    std::string expected;
  } cases[] = {
      {"|a|b|c|", 0, "a"},   {"|a|b|c|", 1, "b"},  {"|a|b|c|", 2, "c"},
      {"|a|b|c|", -1, "c"},  {"|a|", -1, "a"},     {"*x|y*z*", 0, "x|y"},
      {"|a|b|c|", 3, "-"},   {"|a|b|c|", 5, "-"},  {"|a|b|c|", -2, "-"},
      {"|a||c|", 1, "-"},    {"||", -1, "-"},      {"", 0, "-"},
      {"|a|b|c", 0, "-"},    {"|a|b|c", -1, "-"}, {"|", 0, "-"},
      {"\0"s, 0, "-"},       {"\0a\0"s, 0, "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list + " #" + std::to_string(c.index));
    EXPECT_EQ(SUB::GetItem(c.list, c.index, "-"), c.expected);
  }
}

// Header strings come from the package, so every cut-off form of a list must be read safely:
// a text that does not end with its delimiter holds no items, whatever index is asked.
TEST(KoSUBGetItem, TruncatedListsHoldNoItems) {
  const std::string list = "|Name|x||Version 2|";
  for (size_t length = 0; length <= list.size(); ++length) {
    std::string cut = list.substr(0, length);
    bool closed = length >= 2 && cut.back() == '|';
    for (int index = -3; index <= 6; ++index) {
      SCOPED_TRACE(cut + " #" + std::to_string(index));
      std::string item = SUB::GetItem(cut, index, "?");
      bool exists = closed && index >= -1 && index < SUB::ItemCount(cut);
      if (!exists) {
        EXPECT_EQ(item, "?");
      } else if (index >= 0) {
        EXPECT_EQ(item, SUB::GetItem(list, index, "?"));  // a closed prefix keeps the items
      }
    }
  }
}

TEST(KoSUBGetItem, ReachesItemsDeepInALongList) {
  std::string list = "|";
  for (int i = 0; i < 100000; ++i) list += std::to_string(i) + '|';
  EXPECT_EQ(SUB::ItemCount(list), 100000);
  EXPECT_EQ(SUB::GetItem(list, 0), "0");
  EXPECT_EQ(SUB::GetItem(list, 77777), "77777");
  EXPECT_EQ(SUB::GetItem(list, -1), "99999");
  EXPECT_EQ(SUB::GetItem(list, 100000, "none"), "none");
}

TEST(KoSUBGetItemInt64, ReadsNumbersAndFallsBackOnAnythingElse) {
  const std::string list = "|5|-7|$1F|x||9223372036854775807|9223372036854775808| 12 |";
  struct Case {
    int index;
    int64_t expected;
  } cases[] = {
      {0, 5}, {1, -7}, {2, 31}, {3, -1}, {4, -1}, {5, INT64_MAX}, {6, -1}, {7, 12}, {8, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(SUB::GetItemInt64(list, c.index, -1), c.expected);
  }
}

TEST(KoSUBIndexOfItem, FindsItemsWithoutRegardToCase) {
  struct Case {
    std::string list, item;
    bool prefix;
    int expected;
  } cases[] = {
      {"|Alpha|Beta|Gamma|", "beta", false, 1},
      {"|Alpha|Beta|Gamma|", "GAMMA", false, 2},
      {"  |a|b|  ", "b", false, 1},         // the list is trimmed
      {"|Alpha|Beta|", " beta ", false, 1},  // the trimmed item is tried second
      {"| a|a|", " a", false, 0},            // ... but the item as given first
      {"| a|a|", "a", false, 1},
      {"|a||c|", "", false, 1},
      {"|Alpha|Beta|", "be", true, 1},
      {"|Alpha|Beta|", "be", false, 99},
      {"|Alpha|Beta|", "Betamax", true, 99},
      {"|a|b|", "a|b", false, 99},  // an item never holds the delimiter
      {"|a|b", "a", false, 99},     // no closing delimiter: no items
      {"", "", false, 99},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list + " / " + c.item);
    EXPECT_EQ(SUB::IndexOfItem(c.list, c.item, 99, c.prefix), c.expected);
  }
}

TEST(KoSUBHasItem, MatchesWholeItemsOnly) {
  struct Case {
    std::string list, item;
    bool trim, ignoreCase, expected;
  } cases[] = {
      {"|a|b|", "b", false, false, true},       {"|a|b|", "B", false, false, false},
      {"|a|b|", "B", false, true, true},        {" |a|b| ", " b ", true, false, true},
      {" |a|b| ", " b ", false, false, false},  {"|ab|", "a", false, false, false},
      {"|a|b|", "a|b", false, false, false},    {"|a|b", "a", false, false, false},
      {"|a||", "", false, false, true},         {"|a|", "", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list + " / " + c.item);
    EXPECT_EQ(SUB::HasItem(c.list, c.item, c.trim, c.ignoreCase), c.expected);
  }
}

TEST(KoSUBGetValue, FindsNamesInAnyCaseAndLayout) {
  struct Case {
    std::string list, name, expected;
  } cases[] = {
      {"|Width=5|", "width", "5"},
      {"|Width=5|", "WIDTH=", "5"},
      {"|Height=1|Width=5|", "Width", "5"},
      {"| Width =5|", "Width", "5"},
      {"| Width   =5|", "width", "5"},
      {"|Width=|", "Width", "empty"},
      {"|Height=5|", "Width", "default"},
      {"|WidthX=1|Width=2|", "Width", "2"},
      {"|w=1|W=2|", "w", "1"},  // the first occurrence counts
      {"|Msg=a = b|", "Msg", "a = b"},
      {"|W= 5 |", "W", " 5 "},
      {"|Url=http://x?a=b|", "Url", "http://x?a=b"},
      {"|  Width=5|", "Width", "default"},  // one blank before the name, not two
      {"|Width=5", "Width", "default"},
      {"||", "", "default"},
      {"|a|b=1|", "a|b", "default"},
      {"", "Width", "default"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list + " / " + c.name);
    EXPECT_EQ(SUB::GetValue(c.list, c.name, "empty", "default"), c.expected);
  }
}

TEST(KoSUBNamesAndValues, SplitEachItemAtItsFirstEquals) {
  struct Case {
    std::string list, names, values;
  } cases[] = {
      {"|a=1|b|c=x=y|", "|a||c|", "|1||x=y|"},
      {"*a=x|y*", "|a|", "*x|y*"},
      {"|a|b", "", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    EXPECT_EQ(SUB::NamesOf(c.list), c.names);
    EXPECT_EQ(SUB::ValuesOf(c.list), c.values);
  }
}

TEST(KoSUBPairLists, PairsItemsUpToTheLongerList) {
  struct Case {
    std::string names, values;
    bool trimEmpty;
    std::string expected;
  } cases[] = {
      {"|a|b|c|", "|1|2|", false, "|a=1|b=2|c=|"},
      {"|a|", "|1|2|", false, "|a=1|=2|"},
      {"|a|b|||", "|1||", false, "|a=1|b=|=|=|"},
      {"|a|b|||", "|1||", true, "|a=1|b=|"},
      {"|a|", "|x|y|", false, "|a=x|=y|"},
      {"|a|", "|x*y|", false, "|a=x*y|"},
      {"|a|", "*x|y*", false, "*a=x|y*"},
      {"", "", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.names + " + " + c.values);
    EXPECT_EQ(SUB::PairLists(c.names, c.values, c.trimEmpty), c.expected);
  }
}

TEST(KoSUBDeleteItem, RemovesOneItemAndKeepsTheDelimiter) {
  struct Case {
    std::string list;
    int index;
    std::string expected;
  } cases[] = {
      {"|a|b|c|", 0, "|b|c|"}, {"|a|b|c|", 1, "|a|c|"}, {"|a|b|c|", 2, "|a|b|"},
      {"|a|b|c|", 3, "|a|b|c|"}, {"|a|b|c|", -1, "|a|b|c|"}, {"*a*b*", 1, "*a*"},
      {"|a|", 0, "|"},          {"|a||c|", 1, "|a|c|"},    {"|a|b", 0, "|a|b"},
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list + " #" + std::to_string(c.index));
    EXPECT_EQ(SUB::DeleteItem(c.list, c.index), c.expected);
  }
}

TEST(KoSUBSetItem, ReplacesOrExtends) {
  struct Case {
    std::string list;
    int index;
    std::string value, expected;
  } cases[] = {
      {"|a|", 4, "v", "|a||||v|"},
      {"", 0, "x", "|x|"},
      {"", 2, "x", "|||x|"},
      {"|a|b|c|", 1, "B", "|a|B|c|"},
      {"|a|b|c|", 1, "", "|a||c|"},
      {"*a*b*", 0, "x", "*x*b*"},
      {"|a|b|", 0, "x|y", "*x|y*b*"},
      {"|a*|", 1, "b|", "~a*~b|~"},
      {"|a|b|", -1, "x", "|a|b|"},
      {"|a|b", 1, "x", "||x|"},  // a text without items keeps only its delimiter
      {"|", 0, "x", "|x|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list + " #" + std::to_string(c.index) + " = " + c.value);
    std::string result = SUB::SetItem(c.list, c.index, c.value);
    EXPECT_EQ(result, c.expected);
    if (c.index >= 0) {
      EXPECT_EQ(SUB::GetItem(result, c.index), c.value);
    }
  }
}

// Byte 0xFF is the last candidate; a list whose items use all ten falls back to the byte 0.
const std::string kAllCandidates = "|*~^!@#$&\xFF";

TEST(KoSUBBuildList, PicksTheFirstDelimiterNoItemContains) {
  struct Case {
    std::vector<std::string> strings;
    bool distinct;
    std::string expected;
  } cases[] = {
      {{"a", "b"}, false, "|a|b|"},
      {{"a", "b|c"}, false, "*a*b|c*"},
      {{"a|*~^!@#", "$"}, false, "&a|*~^!@#&$&"},
      {{"|*~^!@#$&"}, false, "\xFF|*~^!@#$&\xFF"},
      {{kAllCandidates, "x"}, false, "\0"s + kAllCandidates + "\0x\0"s},
      {{}, false, ""},
      {{""}, false, "||"},
      {{"a", "A ", " a", "", "b", "a"}, true, "|a|b|"},
      {{"", ""}, true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(SUB::BuildList(c.strings, c.distinct), c.expected);
  }
}

TEST(KoSUBAddItems, AppendsAndChangesTheDelimiterOnlyWhenNeeded) {
  struct Case {
    std::string list;
    std::vector<std::string> strings;
    bool distinct;
    std::string expected;
  } cases[] = {
      {"|a|", {"b", "c"}, false, "|a|b|c|"},
      {"*a*", {"b"}, false, "*a*b*"},
      {"|a|", {"b|"}, false, "*a*b|*"},
      {"", {"x|y"}, false, "*x|y*"},
      {"", {}, false, ""},
      {"|a|", {}, false, "|a|"},
      {"|a|", {"A", "", "b", "b "}, true, "|a|b|"},
      {"|a|b", {"c"}, false, "|c|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list + " -> " + c.expected);
    EXPECT_EQ(SUB::AddItems(c.list, c.strings, c.distinct), c.expected);
  }
}

TEST(KoSUBReverseList, ReversesItemsOfClosedListsOnly) {
  struct Case {
    std::string list, expected;
  } cases[] = {
      {"|a|b|c|", "|c|b|a|"}, {"*a**", "**a*"}, {"|a|", "|a|"}, {"|a|b", "|a|b"}, {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    EXPECT_EQ(SUB::ReverseList(c.list), c.expected);
  }
}

TEST(KoSUBDistinctItems, KeepsFirstOccurrencesOfNonEmptyItems) {
  struct Case {
    std::string list, expected;
  } cases[] = {
      {"|a||A| a |b|a|", "|a|b|"},
      {"*B*b*c*", "*B*c*"},
      {"|x|", "|x|"},
      {"||", "|"},
      {"|a|a", "|a|a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    EXPECT_EQ(SUB::DistinctItems(c.list), c.expected);
  }
}

TEST(KoSUBTrimEmptyItems, CutsEmptyItemsAtTheChosenEnds) {
  struct Case {
    std::string list;
    bool atEnd, atStart;
    std::string expected;
  } cases[] = {
      {"||a||b|||", true, false, "||a||b|"},
      {"||a||b|||", false, true, "|a||b|||"},
      {"||a||b|||", true, true, "|a||b|"},
      {"||a||b|||", false, false, "||a||b|||"},
      {"|||", true, false, ""},
      {"|", true, true, ""},
      {"|a|b", true, true, "|a|b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    EXPECT_EQ(SUB::TrimEmptyItems(c.list, c.atEnd, c.atStart), c.expected);
  }
}

TEST(KoSUBChooseDelimiter, ReplacesTheDelimiterWithTheFirstFreeCandidate) {
  struct Case {
    std::string list, expected;
  } cases[] = {
      {"|a|b|", "|a|b|"},
      {"*a|b*", "*a|b*"},
      {"~a*b~", "|a*b|"},
      {"\0a\0"s, "|a|"},
      {"\0"s + kAllCandidates + "\0"s, "\0"s + kAllCandidates + "\0"s},
      {"|", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(SUB::ChooseDelimiter(c.list), c.expected);
  }
}

TEST(KoSUBSetDelimiter, ReplacesEveryDelimiter) {
  EXPECT_EQ(SUB::SetDelimiter("|a|b|", '*'), "*a*b*");
  EXPECT_EQ(SUB::SetDelimiter("*a|b*", '~'), "~a|b~");
  EXPECT_EQ(SUB::SetDelimiter("", '*'), "");
}

// The list operations agree with each other on the items they produce.
TEST(KoSUBRoundTrip, BuiltListsGiveBackTheirStrings) {
  const std::vector<std::string> strings = {"&OK", "", "a|b", "Cancel", "x*y"};
  std::string list = SUB::BuildList(strings);
  ASSERT_EQ(SUB::ItemCount(list), static_cast<int>(strings.size()));
  for (size_t i = 0; i < strings.size(); ++i)
    EXPECT_EQ(SUB::GetItem(list, static_cast<int>(i), "<none>"),
              strings[i].empty() ? "<none>" : strings[i]);
  EXPECT_EQ(SUB::ReverseList(SUB::ReverseList(list)), list);
  EXPECT_EQ(SUB::PairLists(SUB::NamesOf("|a=1|b=2|"), SUB::ValuesOf("|a=1|b=2|")), "|a=1|b=2|");
}

}  // namespace
