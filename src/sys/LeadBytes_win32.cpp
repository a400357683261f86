// This file must contain only Win32 code.
#include "sys/LeadBytes.h"

#include "sys/Platform.h"

namespace sys {

bool IsLeadByteOfActiveCodePage(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

}  // namespace sys
