// This file must contain only truly operating-system independent code.
#include "lang/SLangId.h"

#include "sys/Host.h"

namespace lang {

const char* const SLangId[] = {
    "AFRIKAANS            = 54", "ALBANIAN             = 28", "ARABIC               = 01",
    "BASQUE               = 45", "BELARUSIAN           = 35", "BULGARIAN            = 02",
    "CATALAN              = 03", "CHINESE              = 04", "CROATIAN             = 26",
    "CZECH                = 05", "DANISH               = 06", "DUTCH                = 19",
    "ENGLISH              = 09", "ESTONIAN             = 37", "FAEROESE             = 56",
    "FARSI                = 41", "FINNISH              = 11", "FRENCH               = 12",
    "GERMAN               = 07", "GREEK                = 08", "HEBREW               = 13",
    "HUNGARIAN            = 14", "ICELANDIC            = 15", "INDONESIAN           = 33",
    "ITALIAN              = 16", "JAPANESE             = 17", "KOREAN               = 18",
    "LATVIAN              = 38", "LITHUANIAN           = 39", "NORWEGIAN            = 20",
    "POLISH               = 21", "PORTUGUESE           = 22", "ROMANIAN             = 24",
    "RUSSIAN              = 25", "SERBIAN              = 26", "SLOVAK               = 27",
    "SLOVENIAN            = 36", "SPANISH              = 10", "SWEDISH              = 29",
    "THAI                 = 30", "TURKISH              = 31", "UKRAINIAN            = 34",
    "VIETNAMESE           = 42", "CHINESE(SIMPLIFIED)  = 2052", "CHINESE(TRADITIONAL) = 1028",
    "DUTCH(FLEMISH)       = 2067", "DUTCH(STANDARD)      = 1043", "PORTUGUESE(PORTUGAL) = 2070",
    "PORTUGUESE(BRAZIL)   = 1046", "SERBIAN(LATIN)       = 2074", "SERBIAN(CYRILIC)     = 3098",
};
const size_t SLangIdCount = sizeof SLangId / sizeof SLangId[0];

std::string LanguageNameFor(uint32_t primaryLanguageId) {
  uint32_t id = primaryLanguageId & 0x3FF;
  if (id == 0) id = 9;
  std::string digits = std::to_string(id);
  if (digits.size() < 2) digits.insert(0, 1, '0');
  for (size_t i = 0; i < SLangIdCount; ++i) {
    const std::string row = SLangId[i];
    if (row.find(digits) == std::string::npos) continue;
    std::string name;
    for (char c : row.substr(0, row.find('=')))
      if (c != ' ') name += c;
    return name;
  }
  return std::string();
}

std::string GetLocaleLanguageName() { return LanguageNameFor(sys::ThreadLocaleLanguage()); }

}  // namespace lang
