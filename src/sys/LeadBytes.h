// Which bytes open a two-byte character in an ANSI code page. The system reads every "A" call's
// text, file names above all, in its ANSI code page: in the double-byte code pages the byte after
// a lead byte belongs to that character whatever its value, so a "\" (0x5C) there separates
// nothing. Text that must be split as the system will read it is walked with such a rule.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sys {

// Whether a byte opens a double-byte character. Null stands for a single-byte code page.
using LeadBytePredicate = bool (*)(unsigned char);

// The rules of the double-byte code pages a Windows system may run in: 932 (Japanese), 936
// (Simplified Chinese), 949 (Korean) and 950 (Traditional Chinese). Every other code page,
// 1252 among them, has no lead bytes: null.
LeadBytePredicate LeadBytesOfCodePage(uint32_t codePage);

// Which bytes of Text are second bytes of double-byte characters, read from the start; none
// for a null rule.
std::vector<bool> TrailBytes(const std::string& Text, LeadBytePredicate IsLeadByte);

// Win32: the rule of the system's ANSI code page, the one the file calls read names in.
bool IsLeadByteOfActiveCodePage(unsigned char byte);

}  // namespace sys
