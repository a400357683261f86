// The names of the languages a locale can ask for, with their decimal language identifiers, and
// the choice of a name for the user's locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lang {

// Rows "NAME = id": the two-digit primary identifiers in alphabetical order, then the seven
// four-digit identifiers of regional variants. The order decides ties.
extern const char* const SLangId[];
extern const size_t SLangIdCount;

// The name for a locale's primary language identifier (its low 10 bits; 0 counts as 9):
// the first row whose text contains the identifier written with at least two digits, so 26 gives
// CROATIAN and never SERBIAN. Empty when no row contains it.
std::string LanguageNameFor(uint32_t primaryLanguageId);

// The name for the thread's locale.
std::string GetLocaleLanguageName();

}  // namespace lang
