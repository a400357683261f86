// Translated texts of the package: the language data is a list of sections, one per language;
// a section is a list whose item 0 names the language and whose other items are Key=Value.
#pragma once

#include <string>

namespace lang {

// The section of langData for the language name (blanks around both removed, case ignored); the
// only section when there is exactly one, whatever its name; "*" when none fits.
std::string FindLangSection(const std::string& langData, const std::string& name);

// The section for a locale's language name, else the English one, else "*".
std::string ChooseLangSection(const std::string& langData, const std::string& localeName);

// The value of key in a section; an absent key (or a section "*") gives fallback, a key present
// with an empty value gives an empty text.
std::string LookupLangString(const std::string& section, const std::string& key,
                             const std::string& fallback);

// The section chosen by the first lookup of the process, from whichever package was asked first.
// It is never chosen again, also when the choice was "*".
const std::string& LangSection(const std::string& langData);
// Forgets the choice (tests only: a process chooses once).
void ResetLangSectionCache();

}  // namespace lang
