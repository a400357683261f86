// This file must contain only truly operating-system independent code.
#include "sys/VersionText.h"

#include <limits>

#include "sys/UtilsText.h"

namespace sys {
namespace {

// The parts between the points after the clean-up, empty parts included.
std::vector<std::string> VersionParts(const std::string& Text) {
  std::string text = KeepChars(ReplaceChar(Text, ',', '.'), "0123456789.");
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t dot = text.find('.'); dot != std::string::npos; dot = text.find('.', start)) {
    parts.push_back(text.substr(start, dot - start));
    start = dot + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

// The digits of a part as the number's own decimal text: no leading zeros, "0" for nothing.
std::string CanonicalDigits(const std::string& Digits) {
  size_t first = Digits.find_first_not_of('0');
  return first == std::string::npos ? "0" : Digits.substr(first);
}

std::string PartAt(const std::vector<std::string>& Parts, int I) {
  return static_cast<size_t>(I) < Parts.size() ? CanonicalDigits(Parts[I]) : "0";
}

}  // namespace

std::string NormalizeVersion(const std::string& Text, int Width, int Parts) {
  std::vector<std::string> parts = VersionParts(Text);
  std::string result;
  for (int i = 0; i < Parts; ++i) {
    if (i > 0) result += '.';
    result += ZeroPad(PartAt(parts, i), Width);
  }
  return result;
}

std::vector<uint32_t> VersionNumbers(const std::string& Text, int Count) {
  std::vector<std::string> parts = VersionParts(Text);
  std::vector<uint32_t> numbers;
  for (int i = 0; i < Count; ++i) {
    int64_t value = 0;
    bool fits = TryParseInt64(PartAt(parts, i), value) &&
                value <= std::numeric_limits<uint32_t>::max();
    numbers.push_back(fits ? static_cast<uint32_t>(value) : 0);
  }
  return numbers;
}

}  // namespace sys
