#include "sys/UtilsText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

using namespace sys;

namespace {

TEST(UtilsTextTrim, RemovesBlanksAndControlCharactersOnly) {
  struct Case {
    std::string text, both, left, right;
  } cases[] = {
      {" \t a b \r\n", "a b", "a b \r\n", " \t a b"},
      {"\x01x\x1F", "x", "x\x1F", "\x01x"},
      {"\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0"},  // 8-bit letters stay
      {"   ", "", "", ""},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Trim(c.text), c.both);
    EXPECT_EQ(TrimLeft(c.text), c.left);
    EXPECT_EQ(TrimRight(c.text), c.right);
  }
}

TEST(UtilsTextCase, FoldsAsciiLettersOnly) {
  EXPECT_EQ(UpperCase("aZ1-z\xE4"), "AZ1-Z\xE4");
  EXPECT_EQ(LowerCase("Az1-Z\xC4"), "az1-z\xC4");
  struct Case {
    std::string a, b;
    bool same;
  } cases[] = {
      {" Abc ", "aBC", true}, {"abc", "abd", false}, {"\xE4", "\xC4", false},
      {"", "  ", true},       {"a b", "ab", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a + "/" + c.b);
    EXPECT_EQ(SameText(c.a, c.b), c.same);
  }
  EXPECT_TRUE(EqualsNoCase("Ab ", "aB "));
  EXPECT_FALSE(EqualsNoCase("Ab ", "aB"));
}

TEST(UtilsTextAffixes, StartsAndEndsWithOptionallyIgnoringCase) {
  struct Case {
    std::string text, affix;
    bool ignoreCase, starts, ends;
  } cases[] = {
      {"Setup.EXE", "setup", true, true, false},  {"Setup.EXE", "setup", false, false, false},
      {"Setup.EXE", ".exe", true, false, true},   {"Setup.EXE", ".EXE", false, false, true},
      {"ab", "abc", true, false, false},          {"abc", "", false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + "/" + c.affix);
    EXPECT_EQ(StartsWith(c.text, c.affix, c.ignoreCase), c.starts);
    EXPECT_EQ(EndsWith(c.text, c.affix, c.ignoreCase), c.ends);
  }
}

TEST(UtilsTextPositions, AreOneBasedWithZeroForAbsent) {
  struct Case {
    std::string text, sub;
    size_t from, fromPos, lastPos;
  } cases[] = {
      {"Hello World", "WORLD", 1, 7, 0},
      {"abcabc", "bc", 1, 2, 5},
      {"abcabc", "BC", 3, 5, 0},
      {"abcabc", "abc", 2, 4, 4},
      {"aaa", "aa", 2, 2, 2},
      {"abc", "c", 3, 3, 3},
      {"abc", "a", 0, 1, 1},
      {"abc", "a", 9, 0, 1},
      {"abc", "", 1, 0, 0},
      {"", "a", 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + "/" + c.sub);
    EXPECT_EQ(PosNoCaseFrom(c.text, c.sub, c.from), c.fromPos);
    EXPECT_EQ(LastPos(c.text, c.sub), c.lastPos);
  }
  EXPECT_EQ(PosNoCase("x/HIDE /hide", "/hide"), 2u);
}

TEST(UtilsTextSeparators, SplitAtTheFirstSeparator) {
  struct Case {
    std::string text, separator;
    bool trim;
    std::string before, after;
  } cases[] = {
      {"key=value", "=", false, "key", "value"},
      {"a=b=c", "=", false, "a", "b=c"},
      {" key = value ", "=", true, "key", "value"},
      {" key = value ", "=", false, " key ", " value "},
      {"a::b::c", "::", false, "a", "b::c"},
      {"novalue", "=", true, "<none>", "<none>"},
      {"abc", "", false, "<none>", "<none>"},
      {"=x", "=", false, "", "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TextBefore(c.text, c.separator, "<none>", c.trim), c.before);
    EXPECT_EQ(TextAfter(c.text, c.separator, "<none>", c.trim), c.after);
  }
}

TEST(UtilsTextStripEnclosingChar, StripsOnlyEnclosedOrForcedTexts) {
  struct Case {
    std::string text;
    bool force;
    std::string expected;
  } cases[] = {
      {"\"abc\"", false, "abc"},     {"\"\"abc\"\"", false, "abc"},
      {"\"ab\"c\"", false, "ab\"c"}, {"abc\"", false, "abc\""},
      {"abc\"", true, "abc"},        {"\"", false, ""},
      {"\"\"\"", false, ""},         {"", false, ""},
      {"abc", true, "abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(StripEnclosingChar(c.text, '"', c.force), c.expected);
  }
}

TEST(UtilsTextQuotes, UnquoteTrimsFirstAndQuoteWrapsOnce) {
  EXPECT_EQ(Unquote("  \"C:\\a b\"  "), "C:\\a b");
  EXPECT_EQ(Unquote("plain"), "plain");
  EXPECT_EQ(Quote("C:\\a b"), "\"C:\\a b\"");
  EXPECT_EQ(Quote(" \"C:\\a b\" "), "\"C:\\a b\"");
  EXPECT_EQ(Quote(""), "\"\"");
}

TEST(UtilsTextCharacters, ReplaceKeepAndReverse) {
  EXPECT_EQ(ReplaceChar("a/b/c", '/', '\\'), "a\\b\\c");
  EXPECT_EQ(KeepChars("a1-b2_c3", "0123456789"), "123");
  EXPECT_EQ(KeepChars("abc", ""), "");
  EXPECT_EQ(ReverseText("abc"), "cba");
  EXPECT_EQ(ReverseText(""), "");
}

TEST(UtilsTextZeroPad, PadsDigitsBehindTheSign) {
  struct Case {
    int64_t value;
    int width;
    std::string expected;
  } cases[] = {
      {5, 3, "005"}, {123, 2, "123"}, {-5, 4, "-005"}, {0, 0, "0"}, {9, 2, "09"},
      {INT64_MIN, 0, "-9223372036854775808"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(ZeroPad(c.value, c.width), c.expected);
  }
  EXPECT_EQ(ZeroPad(std::string("7"), 3), "007");
  EXPECT_EQ(ZeroPad(std::string("abcd"), 2), "abcd");
  EXPECT_EQ(ZeroPad(std::string("7"), -5), "7");
}

TEST(UtilsTextPadLeft, PadsOrCutsToAColumn) {
  struct Case {
    std::string text;
    int width;
    std::string expected;
  } cases[] = {
      {"ab", 5, "***ab"},     {"abcdef", 5, "abcdef"}, {"abcdef", -5, "abcd."},
      {"ab", -5, "***ab"},    {"abcde", -5, "abcde"},  {"abcdef", -3, "ab."},
      {"abc", -2, "abc"},     {"abc", -1, "abc"},      {"", 2, "**"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " " + std::to_string(c.width));
    EXPECT_EQ(PadLeft(c.text, c.width, '*'), c.expected);
  }
  EXPECT_EQ(PadLeft("x", 3), "  x");
}

TEST(UtilsTextTextToNumber, ReadsPointOrCommaDecimals) {
  struct Case {
    std::string text;
    double expected;
  } cases[] = {
      {"1.5", 1.5},     {"1,5", 1.5},        {"1,234.5", 1234.5}, {" -2.25 ", -2.25},
      {"+3", 3},        {"1e3", 1000},       {".5", 0.5},         {"7", 7},
      {"abc", -1},      {"", -1},            {"1,234,567", -1},   {"inf", -1},
      {"nan", -1},      {"1.5x", -1},        {"--1", -1},         {"+-1", -1},
      {"1e999", -1},    {"0x10", -1},        {".", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_DOUBLE_EQ(TextToNumber(c.text, -1), c.expected);
  }
}

TEST(UtilsTextNumberToText, WritesFixedPointWithOptionalTrimming) {
  struct Case {
    double value;
    int decimals;
    bool trimZeros;
    std::string expected;
  } cases[] = {
      {1.5, 2, false, "1.50"},     {1.5, 2, true, "1.5"},      {2.0, 2, true, "2"},
      {0.0, 2, true, "0"},         {0.0, 0, false, "0"},       {-0.001, 2, false, "0.00"},
      {-0.001, 2, true, "0"},      {1234.5678, 2, false, "1234.57"},
      {-2.5, 1, false, "-2.5"},    {100, -3, true, "100"},     {100, 0, true, "100"},
      {10.0, 3, true, "10"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(NumberToText(c.value, c.decimals, c.trimZeros), c.expected);
  }
}

TEST(UtilsTextBoolText, WordsOrDigits) {
  EXPECT_EQ(BoolText(true), "TRUE");
  EXPECT_EQ(BoolText(false), "FALSE");
  EXPECT_EQ(BoolText(true, true), "1");
  EXPECT_EQ(BoolText(false, true), "0");
}

TEST(UtilsTextTryParseInt64, AcceptsDecimalAndHexWithinRange) {
  struct Case {
    std::string text;
    bool ok;
    int64_t value;
  } cases[] = {
      {"0", true, 0},
      {"42", true, 42},
      {"-42", true, -42},
      {"+42", true, 42},
      {" 42\t", true, 42},
      {"007", true, 7},
      {"$1F", true, 31},
      {"$ff", true, 255},
      {"0x10", true, 16},
      {"-$10", true, -16},
      {"9223372036854775807", true, INT64_MAX},
      {"-9223372036854775808", true, INT64_MIN},
      {"$7FFFFFFFFFFFFFFF", true, INT64_MAX},
      {"-$8000000000000000", true, INT64_MIN},
      {"9223372036854775808", false, 0},
      {"-9223372036854775809", false, 0},
      {"$8000000000000000", false, 0},
      {"99999999999999999999", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"12a", false, 0},
      {"1 2", false, 0},
      {"$G", false, 0},
      {"1.5", false, 0},
      {"--1", false, 0},
      {"$-1", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int64_t value = 123;  // stays as it is when the text is no number
    EXPECT_EQ(TryParseInt64(c.text, value), c.ok);
    EXPECT_EQ(value, c.ok ? c.value : 123);
  }
}

TEST(UtilsTextReplaceText, ReplacesInOnePassWithoutRescanning) {
  struct Case {
    std::string text, search, replacement;
    bool ignoreCase, trim;
    std::string expected;
  } cases[] = {
      {"a-b-c", "-", "+", false, false, "a+b+c"},
      {"aaa", "a", "aa", false, false, "aaaaaa"},
      {"abab", "ab", "b", false, false, "bb"},
      {"aab", "ab", "b", false, false, "ab"},  // inserted text is not searched again
      {"Hello HELLO hello", "hello", "X", true, false, "X X X"},
      {"Hello HELLO hello", "hello", "X", false, false, "Hello HELLO X"},
      {"AbC abc", "b", "_", true, false, "A_C a_c"},
      {"abc", "", "x", false, false, "abc"},
      {"abc", "d", "x", false, false, "abc"},
      {" a-b ", "-", "+", false, true, "a+b"},
      {"| a| b|", "| ", "|", false, false, "|a|b|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " / " + c.search);
    EXPECT_EQ(ReplaceText(c.text, c.search, c.replacement, c.ignoreCase, c.trim), c.expected);
  }
}

TEST(UtilsTextReplaceRepeated, ReplacesUntilNoneIsLeft) {
  struct Case {
    std::string text, search, replacement;
    bool trim;
    std::string expected;
  } cases[] = {
      {"Width   =5", " =", "=", false, "Width=5"},
      {"a = b   = c", " =", "=", false, "a= b= c"},
      {"aab", "ab", "b", false, "b"},        // a replacement joins the text before it
      {"xaabbx", "ab", "", false, "xx"},     // ... and the text on both sides
      {"bbaa", "ba", "ab", false, "aabb"},
      {"a  b", " ", "  ", false, "a  b"},    // the replacement holds the search text
      {"abc", "x", "y", false, "abc"},
      {"abc", "", "y", false, "abc"},
      {"  a  =  ", " =", "=", true, "a="},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " / " + c.search);
    EXPECT_EQ(ReplaceRepeated(c.text, c.search, c.replacement, c.trim), c.expected);
  }
}

TEST(UtilsTextReplaceRepeated, HandlesLongRunsInLinearTime) {
  std::string text = "Name" + std::string(200000, ' ') + "=1";
  EXPECT_EQ(ReplaceRepeated(text, " =", "="), "Name=1");
}

// The rewrite in the simplest possible form: find the first occurrence, replace it, repeat.
std::string ReplaceFirstAgainAndAgain(std::string text, const std::string& search,
                                      const std::string& replacement) {
  if (text.find(search) == std::string::npos || replacement.find(search) != std::string::npos)
    return text;
  for (size_t at = text.find(search); at != std::string::npos; at = text.find(search))
    text.replace(at, search.size(), replacement);
  return text;
}

TEST(UtilsTextReplaceRepeated, AgreesWithTheStepByStepRewrite) {
  struct Rule {
    std::string search, replacement;
  } rules[] = {{" =", "="}, {"ab", "b"}, {"aba", "a"}, {"ab", ""}, {"ba", "ab"}, {"aa", "b"}};
  std::mt19937 random(20240601);
  for (const Rule& rule : rules) {
    for (int round = 0; round < 300; ++round) {
      std::string text;
      size_t length = random() % 16;
      for (size_t i = 0; i < length; ++i) text += " =ab"[random() % 4];
      SCOPED_TRACE("'" + text + "' / '" + rule.search + "' -> '" + rule.replacement + "'");
      EXPECT_EQ(ReplaceRepeated(text, rule.search, rule.replacement),
                ReplaceFirstAgainAndAgain(text, rule.search, rule.replacement));
    }
  }
}

}  // namespace
