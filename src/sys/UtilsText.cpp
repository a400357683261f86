// This file must contain only truly operating-system independent code.
#include "sys/UtilsText.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "sys/FixedText.h"

namespace sys {
namespace {

bool IsBlank(char C) { return static_cast<unsigned char>(C) <= 32; }

char UpperChar(char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C; }
char LowerChar(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; }

bool SameCharNoCase(char A, char B) { return UpperChar(A) == UpperChar(B); }

bool SameSpan(const char* A, const char* B, size_t Length, bool IgnoreCase) {
  return IgnoreCase ? std::equal(A, A + Length, B, SameCharNoCase) : std::equal(A, A + Length, B);
}

// 0-based offset of the first Sub in Text at or after Start, or npos.
size_t FindFrom(const std::string& Text, const std::string& Sub, size_t Start, bool IgnoreCase) {
  if (Sub.empty() || Start > Text.size()) return std::string::npos;
  if (!IgnoreCase) return Text.find(Sub, Start);
  auto hit = std::search(Text.begin() + static_cast<std::ptrdiff_t>(Start), Text.end(),
                         Sub.begin(), Sub.end(), SameCharNoCase);
  return hit == Text.end() ? std::string::npos : static_cast<size_t>(hit - Text.begin());
}

size_t ToPosition(size_t Offset) { return Offset == std::string::npos ? 0 : Offset + 1; }

int DigitValue(char C, int Base) {
  int value = -1;
  if (C >= '0' && C <= '9') value = C - '0';
  else if (C >= 'A' && C <= 'F') value = C - 'A' + 10;
  else if (C >= 'a' && C <= 'f') value = C - 'a' + 10;
  return value < Base ? value : -1;
}

// Skips the "$" or "0x" prefix at I and gives the base of the digits that follow.
int ReadBasePrefix(const std::string& Text, size_t& I) {
  if (I < Text.size() && Text[I] == '$') {
    ++I;
    return 16;
  }
  if (I + 1 < Text.size() && Text[I] == '0' && (Text[I + 1] == 'x' || Text[I + 1] == 'X')) {
    I += 2;
    return 16;
  }
  return 10;
}

int64_t Negated(uint64_t Magnitude) {
  // Written so that the magnitude 2^63 becomes the smallest int64 without overflowing.
  return Magnitude == 0 ? 0 : -static_cast<int64_t>(Magnitude - 1) - 1;
}

bool EndsWithText(const std::string& Text, const std::string& Suffix) {
  return Text.size() >= Suffix.size() &&
         Text.compare(Text.size() - Suffix.size(), Suffix.size(), Suffix) == 0;
}

// Replaces the first Search again and again. Every occurrence has the same length, so the first
// one is also the one that ends first: the text is fed character by character into Done, and as
// soon as Done ends with Search that occurrence is replaced and the Replacement is fed again,
// since it may form a new occurrence with the text on either side. Done never holds an
// occurrence, so the whole rewrite is linear in the characters fed.
std::string RewriteFirstUntilGone(const std::string& Text, const std::string& Search,
                                  const std::string& Replacement, size_t MaxRounds) {
  std::string pending(Text.rbegin(), Text.rend());  // the next character is at the back
  std::string done;
  size_t rounds = 0;
  while (!pending.empty() && rounds < MaxRounds) {
    done.push_back(pending.back());
    pending.pop_back();
    if (!EndsWithText(done, Search)) continue;
    done.resize(done.size() - Search.size());
    pending.append(Replacement.rbegin(), Replacement.rend());
    ++rounds;
  }
  done.append(pending.rbegin(), pending.rend());
  return done;
}

}  // namespace

std::string Trim(const std::string& Text) { return TrimLeft(TrimRight(Text)); }

std::string TrimLeft(const std::string& Text) {
  auto first = std::find_if_not(Text.begin(), Text.end(), IsBlank);
  return std::string(first, Text.end());
}

std::string TrimRight(const std::string& Text) {
  auto last = std::find_if_not(Text.rbegin(), Text.rend(), IsBlank);
  return std::string(Text.begin(), last.base());
}

std::string UpperCase(const std::string& Text) {
  std::string result(Text);
  std::transform(result.begin(), result.end(), result.begin(), UpperChar);
  return result;
}

std::string LowerCase(const std::string& Text) {
  std::string result(Text);
  std::transform(result.begin(), result.end(), result.begin(), LowerChar);
  return result;
}

bool SameText(const std::string& A, const std::string& B) { return EqualsNoCase(Trim(A), Trim(B)); }

bool EqualsNoCase(std::string_view A, std::string_view B) {
  return A.size() == B.size() && SameSpan(A.data(), B.data(), A.size(), true);
}

bool StartsWith(std::string_view Text, std::string_view Prefix, bool IgnoreCase) {
  return Text.size() >= Prefix.size() &&
         SameSpan(Text.data(), Prefix.data(), Prefix.size(), IgnoreCase);
}

bool EndsWith(std::string_view Text, std::string_view Suffix, bool IgnoreCase) {
  return Text.size() >= Suffix.size() &&
         SameSpan(Text.data() + Text.size() - Suffix.size(), Suffix.data(), Suffix.size(),
                  IgnoreCase);
}

size_t PosNoCase(const std::string& Text, const std::string& Sub) {
  return PosNoCaseFrom(Text, Sub, 1);
}

size_t PosNoCaseFrom(const std::string& Text, const std::string& Sub, size_t From) {
  size_t start = From > 0 ? From - 1 : 0;
  return ToPosition(FindFrom(Text, Sub, start, true));
}

size_t LastPos(const std::string& Text, const std::string& Sub) {
  return Sub.empty() ? 0 : ToPosition(Text.rfind(Sub));
}

std::string TextBefore(const std::string& Text, const std::string& Separator,
                       const std::string& Default, bool TrimResult) {
  size_t at = FindFrom(Text, Separator, 0, false);
  if (at == std::string::npos) return Default;
  std::string part = Text.substr(0, at);
  return TrimResult ? Trim(part) : part;
}

std::string TextAfter(const std::string& Text, const std::string& Separator,
                      const std::string& Default, bool TrimResult) {
  size_t at = FindFrom(Text, Separator, 0, false);
  if (at == std::string::npos) return Default;
  std::string part = Text.substr(at + Separator.size());
  return TrimResult ? Trim(part) : part;
}

std::string StripEnclosingChar(const std::string& Text, char C, bool Force) {
  size_t first = Text.find_first_not_of(C);
  if (first == std::string::npos) return std::string();
  bool enclosed = Text.front() == C && Text.back() == C;
  if (!enclosed && !Force) return Text;
  size_t last = Text.find_last_not_of(C);
  return Text.substr(first, last - first + 1);
}

std::string Unquote(const std::string& Text) { return StripEnclosingChar(Trim(Text), '"'); }

std::string Quote(const std::string& Text) { return '"' + Unquote(Text) + '"'; }

std::string ReplaceChar(const std::string& Text, char From, char To) {
  std::string result(Text);
  std::replace(result.begin(), result.end(), From, To);
  return result;
}

std::string KeepChars(const std::string& Text, const std::string& Allowed) {
  std::string result;
  std::copy_if(Text.begin(), Text.end(), std::back_inserter(result),
               [&Allowed](char c) { return Allowed.find(c) != std::string::npos; });
  return result;
}

std::string ZeroPad(int64_t Value, int Width) {
  bool negative = Value < 0;
  // The magnitude is taken in unsigned arithmetic so that the smallest int64 has one too.
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(Value) : static_cast<uint64_t>(Value);
  std::string digits = ZeroPad(std::to_string(magnitude), negative ? Width - 1 : Width);
  return negative ? '-' + digits : digits;
}

std::string ZeroPad(const std::string& Text, int Width) {
  return PadLeft(Text, std::max(Width, 0), '0');
}

std::string PadLeft(const std::string& Text, int Width, char Fill) {
  if (Width >= -2 && Width < 0) return Text;
  size_t width = static_cast<size_t>(Width < 0 ? -static_cast<int64_t>(Width) : Width);
  std::string text = Text;
  if (Width < 0 && text.size() > width) text = text.substr(0, width - 1) + '.';
  return text.size() >= width ? text : std::string(width - text.size(), Fill) + text;
}

std::string ReverseText(const std::string& Text) {
  return std::string(Text.rbegin(), Text.rend());
}

std::string NumberToText(double Value, int Decimals, bool TrimZeros) {
  std::string text = FixedText(Value, Decimals);
  if (TrimZeros && text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.') text.pop_back();
  }
  if (!text.empty() && text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos)
    text.erase(0, 1);  // a value that rounds to zero is written without a sign
  return text.empty() || text == "." ? "0" : text;
}

std::string BoolText(bool Value, bool AsDigit) {
  if (AsDigit) return Value ? "1" : "0";
  return Value ? "TRUE" : "FALSE";
}

bool TryParseInt64(const std::string& Text, int64_t& Value) {
  std::string text = Trim(Text);
  size_t i = 0;
  bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  int base = ReadBasePrefix(text, i);
  if (i == text.size()) return false;
  uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    int digit = DigitValue(text[i], base);
    if (digit < 0 || magnitude > (limit - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base))
      return false;
    magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
  }
  Value = negative ? Negated(magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

std::string ReplaceText(const std::string& Text, const std::string& Search,
                        const std::string& Replacement, bool IgnoreCase, bool TrimResult) {
  std::string result;
  size_t copied = 0;
  for (size_t at = FindFrom(Text, Search, 0, IgnoreCase); at != std::string::npos;
       at = FindFrom(Text, Search, copied, IgnoreCase)) {
    result.append(Text, copied, at - copied).append(Replacement);
    copied = at + Search.size();
  }
  result.append(Text, copied, std::string::npos);
  return TrimResult ? Trim(result) : result;
}

std::string ReplaceRepeated(const std::string& Text, const std::string& Search,
                            const std::string& Replacement, bool TrimResult) {
  bool applies = !Search.empty() && Text.find(Search) != std::string::npos &&
                 Replacement.find(Search) == std::string::npos;
  std::string result = Text;
  if (applies) {
    // A shorter Replacement shrinks the text every round, so it ends by itself.
    size_t maxRounds = Replacement.size() < Search.size() ? std::numeric_limits<size_t>::max()
                                                          : Text.size() + 65536;
    result = RewriteFirstUntilGone(Text, Search, Replacement, maxRounds);
  }
  return TrimResult ? Trim(result) : result;
}

}  // namespace sys
