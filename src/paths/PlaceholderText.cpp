// This file must contain only truly operating-system independent code.
#include "paths/PlaceholderText.h"

#include <vector>

#include "sys/KoSUB.h"
#include "sys/UtilsText.h"

namespace paths {
namespace {

bool IsBlank(char C) { return static_cast<unsigned char>(C) <= 32; }
bool IsLetter(char C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z'); }

size_t CountNoCase(const std::string& Text, const std::string& Sub) {
  size_t count = 0;
  for (size_t at = sys::PosNoCase(Text, Sub); at != 0;
       at = sys::PosNoCaseFrom(Text, Sub, at + Sub.size()))
    ++count;
  return count;
}

bool HasDots(const std::string& Text) {
  return Text.find("\\..") != std::string::npos || Text.find("..\\") != std::string::npos;
}

std::string Resolved(const std::string& Path, const FullPathFunction& FullPath) {
  if (!HasDots(Path)) return Path;
  std::string full = FullPath(Path);
  return full.empty() ? Path : full;
}

}  // namespace

std::string ReplacePlaceholder(const std::string& Text, const std::string& Placeholder,
                               const std::string& Value) {
  size_t count = CountNoCase(Text, Placeholder);
  if (count == 0) return Text;
  if (Value.size() > Placeholder.size()) {
    size_t growth = Value.size() - Placeholder.size();
    size_t room = Text.size() < kMaxExpandedLength ? kMaxExpandedLength - Text.size() : 0;
    if (growth > room / count) return Text;
  }
  return sys::ReplaceText(Text, Placeholder, Value, true);
}

bool IsListSeparator(const std::string& Text, char C) {
  return !Text.empty() && Text.front() == C && Text.back() == C && C != '<' && !IsLetter(C);
}

std::string ReplaceFolderPlaceholder(const std::string& Text, const std::string& Placeholder,
                                     const std::string& Value, const std::string& Suffix) {
  size_t at = sys::PosNoCase(Text, Placeholder);
  if (at == 0) return Text;
  size_t after = at - 1 + Placeholder.size();
  // A closing quote ends the folder as a blank does: "C:\Tools\" on a command line would
  // read as an escaped quote.
  bool bare = Value.empty() || after >= Text.size() || IsBlank(Text[after]) ||
              Text[after] == '"' || IsListSeparator(Text, Text[after]);
  return ReplacePlaceholder(Text, Placeholder, bare ? Value : Value + Suffix);
}

std::string CollapseBackslashes(const std::string& Text, sys::LeadBytePredicate IsLeadByte) {
  if (Text.size() <= 2) return Text;
  std::vector<bool> trail = sys::TrailBytes(Text, IsLeadByte);
  const bool isList = Text.front() == Text.back();
  std::string result;
  result.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    // The pair Text[i - 1], Text[i]: the second backslash goes unless the pair is one to keep.
    bool pair = i > 0 && Text[i] == '\\' && Text[i - 1] == '\\' && !trail[i - 1];
    bool keep = i == 1 || i == Text.size() - 1 ||
                (isList && i >= 2 && Text[i - 2] == Text.front() && !trail[i - 2]);
    if (pair && !keep) continue;
    result += Text[i];
  }
  return result;
}

std::string ExpandRelativePaths(const std::string& Text, const FullPathFunction& FullPath) {
  if (!HasDots(Text)) return Text;
  bool listed = (Text[0] == ',' || Text[0] == '|') && sys::SUB::ItemCount(Text) > 0;
  if (!listed) return Resolved(Text, FullPath);
  // Items lie between the delimiters; the text ends with one, so every item is closed.
  const char delimiter = Text[0];
  std::string result(1, delimiter);
  size_t start = 1;
  for (size_t end = Text.find(delimiter, start); end != std::string::npos;
       start = end + 1, end = Text.find(delimiter, start)) {
    result += Resolved(Text.substr(start, end - start), FullPath);
    result += delimiter;
  }
  return result;
}

}  // namespace paths
