// Text helpers shared by the whole stub: trimming, letter case, searching, padding, numbers and
// text replacement. Texts are 8-bit strings in the system's ANSI code page; letter case is folded
// for the ASCII letters only, so results never depend on the C library's locale.
// Positions are 1-based with 0 for "not found", as the configuration formats count them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sys {

// Blanks and control characters (bytes up to 32) are removed, as the classic trim does.
std::string Trim(const std::string& Text);
std::string TrimLeft(const std::string& Text);
std::string TrimRight(const std::string& Text);

std::string UpperCase(const std::string& Text);
std::string LowerCase(const std::string& Text);

// Equal after trimming both, without regard to case.
bool SameText(const std::string& A, const std::string& B);
// Equal without regard to case, blanks included.
bool EqualsNoCase(std::string_view A, std::string_view B);

bool StartsWith(std::string_view Text, std::string_view Prefix, bool IgnoreCase = false);
bool EndsWith(std::string_view Text, std::string_view Suffix, bool IgnoreCase = false);

// Position of the first Sub in Text without regard to case; an empty Sub is never found.
size_t PosNoCase(const std::string& Text, const std::string& Sub);
// As PosNoCase, but the search starts at position From (1-based; below 1 counts as 1).
size_t PosNoCaseFrom(const std::string& Text, const std::string& Sub, size_t From);
// Position of the last Sub in Text, letter case significant; an empty Sub is never found.
size_t LastPos(const std::string& Text, const std::string& Sub);

// The part of Text before (after) the first Separator; Default when Separator does not occur
// (an empty Separator never occurs). TrimResult trims the part found, never the Default.
std::string TextBefore(const std::string& Text, const std::string& Separator,
                       const std::string& Default = "", bool TrimResult = false);
std::string TextAfter(const std::string& Text, const std::string& Separator,
                      const std::string& Default = "", bool TrimResult = false);

// A text made only of C becomes empty. Otherwise, when Text begins and ends with C, or when
// Force is set, all leading and trailing copies of C are removed.
std::string StripEnclosingChar(const std::string& Text, char C, bool Force = false);
// Trimmed, then without its enclosing double quotes.
std::string Unquote(const std::string& Text);
// The unquoted text in exactly one pair of double quotes.
std::string Quote(const std::string& Text);

std::string ReplaceChar(const std::string& Text, char From, char To);
// Text without every character that is not in Allowed.
std::string KeepChars(const std::string& Text, const std::string& Allowed);

// Decimal digits padded with "0" to Width characters; a minus sign stays in front of the zeros.
std::string ZeroPad(int64_t Value, int Width);
std::string ZeroPad(const std::string& Text, int Width);
// Text padded on the left with Fill to Width characters. A Width below -2 sets a column of
// -Width characters: a longer text is cut to -Width - 1 characters followed by ".". Widths of
// -1 and -2 leave the text as it is.
std::string PadLeft(const std::string& Text, int Width, char Fill = ' ');

std::string ReverseText(const std::string& Text);

// Reads a decimal number with "." as point. A text without "." takes "," as its point; any other
// "," is a thousands separator and is dropped ("1,234.5" is 1234.5, "1,5" is 1.5). Surrounding
// blanks are ignored; an exponent is accepted. Default when the text is no number.
double TextToNumber(const std::string& Text, double Default);
// Fixed-point text with Decimals digits after "." (0 to 30). TrimZeros drops trailing zeros and
// then a trailing "."; what is left of a zero is always "0", never "-0" or ".".
std::string NumberToText(double Value, int Decimals, bool TrimZeros = false);

// "TRUE" or "FALSE"; with AsDigit "1" or "0".
std::string BoolText(bool Value, bool AsDigit = false);

// Reads a 64-bit integer as the classic integer reader does: an optional sign, then decimal
// digits, or hexadecimal digits after "$" or "0x". Surrounding blanks (bytes up to 32) are
// ignored, since values come from hand-written configuration texts. False, with Value left
// alone, when anything else is present or the number does not fit in 64 signed bits.
bool TryParseInt64(const std::string& Text, int64_t& Value);

// Every Search in Text replaced by Replacement in one left-to-right pass; inserted text is never
// searched again. IgnoreCase matches without regard to case but keeps Text's letters elsewhere.
// An empty Search changes nothing. TrimResult trims the result.
std::string ReplaceText(const std::string& Text, const std::string& Search,
                        const std::string& Replacement, bool IgnoreCase = false,
                        bool TrimResult = false);
// When Text contains Search and Replacement does not, the first Search is replaced again and
// again until none is left, so " =" by "=" removes any number of blanks before "=". Letter case
// is significant. A Replacement at least as long as Search could rewrite without end, so such a
// rewrite stops after a bounded number of rounds.
std::string ReplaceRepeated(const std::string& Text, const std::string& Search,
                            const std::string& Replacement, bool TrimResult = false);

}  // namespace sys
