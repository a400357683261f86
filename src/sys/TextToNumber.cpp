// This file must contain only truly operating-system independent code.
// Apart from the other text helpers: the C library's number reader that it uses is large, and a
// program that links the text helpers without reading numbers should not carry it.
#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "sys/UtilsText.h"

namespace sys {
namespace {

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

}  // namespace

double TextToNumber(const std::string& Text, double Default) {
  std::string text = Trim(Text);
  if (text.find('.') == std::string::npos) text = ReplaceChar(text, ',', '.');
  text.erase(std::remove(text.begin(), text.end(), ','), text.end());
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  // Only digits or a point may follow the sign: no second sign, no "inf" or "nan".
  const char* body = first != last && *first == '-' ? first + 1 : first;
  if (body == last || !(IsDigit(*body) || *body == '.')) return Default;
  // strtod rather than from_chars: the latter drags large tables into a program meant to be
  // small. The program never changes its C locale, so the point is ".".
  if (body + 1 < last && (body[1] == 'x' || body[1] == 'X')) return Default;
  char* end = nullptr;
  errno = 0;
  double value = std::strtod(first, &end);
  return errno == 0 && end == last ? value : Default;
}

}  // namespace sys
