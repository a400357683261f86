// Translations of the stub's texts, written by the setup author as an INI-style file:
//
//   ; comment
//   [German]
//   s1=Dateien werden entpackt...
//
// and stored as LangData: a list of sections, each section a list whose item 0 is the language
// name and whose further items are Key=Value. Each section picks a separator that its text does
// not use, and LangData one that no section uses, so values may hold "|" (as BtnText does).
#pragma once

#include <string>

namespace stubpack {

// LangData of a package without translations: a list without items.
constexpr const char* kNoLangData = "|";

// Keys and values are trimmed; a line that is neither a section header, a pair nor a comment is
// an error naming its line number.
bool LangDataFromIni(const std::string& text, std::string& langData, std::string& error);

}  // namespace stubpack
