// This file must contain only truly operating-system independent code.
#include "lang/LangStrings.h"

#include "lang/SLangId.h"
#include "sys/KoSUB.h"
#include "sys/UtilsText.h"

namespace lang {
namespace {

std::string LangSectionCache;

}  // namespace

std::string FindLangSection(const std::string& langData, const std::string& name) {
  const int count = sys::SUB::ItemCount(langData);
  for (int i = 0; i < count; ++i) {
    const std::string section = sys::SUB::GetItem(langData, i);
    if (sys::SameText(sys::SUB::GetItem(section, 0), name)) return section;
  }
  if (count == 1) return sys::SUB::GetItem(langData, 0);
  return "*";
}

std::string ChooseLangSection(const std::string& langData, const std::string& localeName) {
  std::string section = FindLangSection(langData, localeName);
  if (section == "*") section = FindLangSection(langData, "English");
  return section.empty() ? "*" : section;
}

std::string LookupLangString(const std::string& section, const std::string& key,
                             const std::string& fallback) {
  if (section.size() <= 1) return fallback;
  return sys::SUB::GetValue(section, key, "", fallback);
}

const std::string& LangSection(const std::string& langData) {
  if (LangSectionCache.empty()) LangSectionCache = ChooseLangSection(langData, GetLocaleLanguageName());
  return LangSectionCache;
}

void ResetLangSectionCache() { LangSectionCache.clear(); }

}  // namespace lang
