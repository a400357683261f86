// This file must contain only truly operating-system independent code.
#include "IniText.h"

#include <vector>

namespace stubpack {
namespace {

struct Line {
  std::string text;    // without its line ending
  std::string ending;  // "\r\n", "\n", or empty for a last line without one
};

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t newline = text.find('\n', start);
    if (newline == std::string::npos) {
      lines.push_back(Line{text.substr(start), ""});
      break;
    }
    const bool crlf = newline > start && text[newline - 1] == '\r';
    const size_t end = crlf ? newline - 1 : newline;
    lines.push_back(Line{text.substr(start, end - start), crlf ? "\r\n" : "\n"});
    start = newline + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<Line>& lines) {
  std::string text;
  for (const Line& line : lines) text += line.text + line.ending;
  return text;
}

std::string LineEndingOf(const std::string& text) {
  if (text.find("\r\n") != std::string::npos) return "\r\n";
  return text.find('\n') != std::string::npos ? "\n" : "\r\n";
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The name of a "[Name]" line, or false for any other line.
bool SectionName(const std::string& line, std::string& name) {
  const std::string trimmed = Trimmed(line);
  const size_t close = trimmed.find(']');
  if (trimmed.empty() || trimmed[0] != '[' || close == std::string::npos) return false;
  name = Trimmed(trimmed.substr(1, close - 1));
  return true;
}

// Where the value of a "key=value" line starts: past the "=" and the blanks after it.
bool ValueStart(const std::string& line, const std::string& key, size_t& start) {
  const size_t equals = line.find('=');
  const std::string name = Trimmed(line.substr(0, equals));
  if (equals == std::string::npos || name.empty() || name[0] == ';' || !SameName(name, key))
    return false;
  start = line.find_first_not_of(" \t", equals + 1);
  if (start == std::string::npos) start = line.size();
  return true;
}

// Adds a line after index at (or at the end when at is past the last line).
void InsertLine(std::vector<Line>& lines, size_t at, const std::string& text,
                const std::string& ending) {
  const bool atEnd = at + 1 >= lines.size();
  // A last line without an ending gets one, and the new last line keeps the file's habit.
  std::string newEnding = ending;
  if (atEnd && !lines.empty() && lines.back().ending.empty()) {
    lines.back().ending = ending;
    newEnding.clear();
  }
  lines.insert(lines.begin() + static_cast<long>(atEnd ? lines.size() : at + 1),
               Line{text, newEnding});
}

}  // namespace

std::string SetIniValue(const std::string& text, const std::string& section,
                        const std::string& key, const std::string& value) {
  std::vector<Line> lines = SplitLines(text);
  const std::string ending = LineEndingOf(text);
  bool inSection = false, inFirstSection = false, found = false, replaced = false;
  size_t lastOfSection = 0;  // the last non-blank line of the first section of that name
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string name;
    if (SectionName(lines[i].text, name)) {
      inSection = SameName(name, Trimmed(section));
      inFirstSection = inSection && !found;
      if (inFirstSection) lastOfSection = i;
      found = found || inSection;
      continue;
    }
    if (!inSection) continue;
    size_t start = 0;
    if (ValueStart(lines[i].text, Trimmed(key), start)) {
      lines[i].text = lines[i].text.substr(0, start) + value;
      replaced = true;
    }
    if (inFirstSection && !Trimmed(lines[i].text).empty()) lastOfSection = i;
  }
  if (replaced) return JoinLines(lines);
  if (!found) {
    InsertLine(lines, lines.size(), "[" + section + "]", ending);
    lastOfSection = lines.size() - 1;
  }
  InsertLine(lines, lastOfSection, key + "=" + value, ending);
  return JoinLines(lines);
}

}  // namespace stubpack
