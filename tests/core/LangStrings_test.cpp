#include "lang/LangStrings.h"

#include <gtest/gtest.h>

#include "PackageImage.h"
#include "lang/SLangId.h"
#include "pack/GFileInfo.h"

namespace {

TEST(SLangId, PrimaryLanguageNames) {
  const struct {
    uint32_t id;
    const char* name;
  } cases[] = {{9, "ENGLISH"},  {0, "ENGLISH"},  {0x409, "ENGLISH"}, {7, "GERMAN"},
               {26, "CROATIAN"}, {4, "CHINESE"}, {52, "CHINESE(SIMPLIFIED)"}, {99, ""},
               {1, "ARABIC"},   {10, "SPANISH"}};
  for (const auto& c : cases) EXPECT_EQ(c.name, lang::LanguageNameFor(c.id)) << c.id;
  EXPECT_EQ(51u, lang::SLangIdCount);
}

const std::string kThree = "*|English|s0=Setup|s1=Extracting|*~German~s0=Einrichtung~s1 = Entpacken~*";

TEST(LangStrings, SectionChoice) {
  const struct {
    const char* what;
    std::string langData;
    const char* locale;
    const char* firstItem;  // item 0 of the chosen section, or "*"
  } cases[] = {
      {"locale's section in any letter case", "*|english|a=1|*~gErMaN~a=2~*", "GERMAN", "gErMaN"},
      {"single section whatever its name", "*|French|a=1|*", "GERMAN", "French"},
      {"English when the locale has none", "*|French|a=1|*~ english ~a=2~*", "GERMAN", " english "},
      {"nothing fits", "*|French|a=1|*~Italian~a=2~*", "GERMAN", "*"},
      {"no translations", "|", "ENGLISH", "*"},
      {"empty language data", "", "ENGLISH", "*"},
  };
  for (const auto& c : cases) {
    const std::string section = lang::ChooseLangSection(c.langData, c.locale);
    const std::string first = section == "*" ? "*" : section.substr(1, section.find(section[0], 1) - 1);
    EXPECT_EQ(c.firstItem, first) << c.what;
  }
}

TEST(LangStrings, Lookups) {
  const std::string german = lang::ChooseLangSection(kThree, "GERMAN");
  const std::string section = "~German~s1 = Unpacking~s10=Ten~Empty=~FontSize=big~";
  const struct {
    std::string section;
    const char* key;
    const char* expected;
  } cases[] = {
      {section, "S1", " Unpacking"},  // blanks before "=" go, the one after stays
      {section, "s10", "Ten"},
      {"~German~s10=Ten~", "s1", "default"},  // "s1" is not "s10"
      {section, "Empty", ""},
      {section, "missing", "default"},
      {"*", "s1", "default"},
      {german, "s0", "Einrichtung"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, lang::LookupLangString(c.section, c.key, "default")) << c.key;
}

TEST(LangStrings, DescriptorUsesOneSectionForTheWholeProcess) {
  lang::ResetLangSectionCache();
  testimg::Package french;
  french.langData = "*|French|s0=Installation|FontSize=x|Charset=|FontName=|*~Italian~s0=It~*";
  TGFileInfo first;
  first.Create(pack::MemorySource(french.Build()));
  // Natively the locale is English; neither English nor a single section: defaults for good.
  EXPECT_EQ("Karst Installation Suite", first.GetLangString("s0", "Karst Installation Suite"));
  testimg::Package english;
  english.langData = "*|English|s0=Mine|*";
  TGFileInfo second;
  second.Create(pack::MemorySource(english.Build()));
  EXPECT_EQ("default", second.GetLangString("s0", "default")) << "the first choice stands";

  lang::ResetLangSectionCache();
  EXPECT_EQ("Mine", second.GetLangString("s0", "default"));
  EXPECT_EQ(0, second.GetCharset());
  EXPECT_EQ(8, second.GetFontSize());
  EXPECT_EQ("Tahoma", second.GetFontName());

  lang::ResetLangSectionCache();
  french.langData = "*|French|FontSize=x|Charset=|FontName=|*";
  TGFileInfo odd;
  odd.Create(pack::MemorySource(french.Build()));
  EXPECT_EQ(8, odd.GetFontSize()) << "not a number";
  EXPECT_EQ(0, odd.GetCharset()) << "present but empty";
  EXPECT_EQ("", odd.GetFontName()) << "present but empty";
  lang::ResetLangSectionCache();
}

}  // namespace
