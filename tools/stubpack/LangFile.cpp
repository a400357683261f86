// This file must contain only truly operating-system independent code.
#include "LangFile.h"

#include <vector>

#include "sys/KoSUB.h"

namespace stubpack {
namespace {

struct Section {
  std::vector<std::string> items;  // language name, then Key=Value
};

std::string TrimmedLine(const std::string& text) {
  const char* blanks = " \t\r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

std::string LineError(size_t number, const std::string& what) {
  return "language file line " + std::to_string(number) + ": " + what;
}

bool ParseLine(const std::string& line, size_t number, std::vector<Section>& sections,
               std::string& error) {
  const std::string text = TrimmedLine(line);
  if (text.empty() || text[0] == ';') return true;
  if (text.front() == '[' && text.back() == ']') {
    const std::string name = TrimmedLine(text.substr(1, text.size() - 2));
    if (name.empty()) {
      error = LineError(number, "a section needs a language name");
      return false;
    }
    sections.push_back(Section{{name}});
    return true;
  }
  const size_t equals = text.find('=');
  if (equals == std::string::npos || TrimmedLine(text.substr(0, equals)).empty()) {
    error = LineError(number, "expected [Language] or Key=Value: " + text);
    return false;
  }
  if (sections.empty()) {
    error = LineError(number, "Key=Value before the first [Language] section");
    return false;
  }
  sections.back().items.push_back(TrimmedLine(text.substr(0, equals)) + "=" +
                                  TrimmedLine(text.substr(equals + 1)));
  return true;
}

// A list whose separator does not occur in any item; the byte 0 in front means that every
// candidate separator was taken.
bool BuildSeparatedList(const std::vector<std::string>& items, const std::string& what,
                        std::string& list, std::string& error) {
  list = sys::SUB::BuildList(items);
  if (!list.empty() && list[0] != '\0') return true;
  error = what + " uses every character that could separate its items";
  return false;
}

}  // namespace

bool LangDataFromIni(const std::string& text, std::string& langData, std::string& error) {
  if (text.find('\0') != std::string::npos) {
    error = "the language file contains a zero byte";
    return false;
  }
  std::vector<Section> sections;
  const std::vector<std::string> lines = Lines(text);
  for (size_t i = 0; i < lines.size(); ++i)
    if (!ParseLine(lines[i], i + 1, sections, error)) return false;
  if (sections.empty()) {
    langData = kNoLangData;
    return true;
  }
  std::vector<std::string> lists;
  for (const Section& section : sections) {
    std::string list;
    if (!BuildSeparatedList(section.items, "section [" + section.items[0] + "]", list, error))
      return false;
    lists.push_back(list);
  }
  return BuildSeparatedList(lists, "the language data", langData, error);
}

}  // namespace stubpack
