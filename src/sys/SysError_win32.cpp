// This file must contain only Win32 code.
#include "sys/SysError.h"

#include "sys/KoDebug.h"
#include "sys/Platform.h"
#include "sys/UtilsText.h"

namespace sys {

std::string SysErrorText() { return SysErrorTextOf(::GetLastError()); }

std::string SysErrorTextOf(uint32_t Code) {
  char buffer[1024];
  DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, Code, 0, buffer, sizeof buffer, nullptr);
  if (length == 0)
    return "Error Reading the system message of error " + std::to_string(Code) + " (" +
           std::to_string(::GetLastError()) + ")";
  return TrimRight(std::string(buffer, length));
}

void LogFailure(const std::string& Place, const std::string& Detail, uint32_t Code) {
  kodebug::ConsoleLine(FailureLine(Place, Detail, SysErrorTextOf(Code)));
}

void LogFailureMessage(const std::string& Place, const std::string& Detail,
                       const std::string& Message) {
  kodebug::ConsoleLine(FailureLine(Place, Detail, Message));
}

void LogValueReport(const std::string& A, const std::string& B, const std::string& C,
                    const std::string& D) {
  kodebug::ConsoleLine(ValueReportLine(A, B, C, D));
}

}  // namespace sys
