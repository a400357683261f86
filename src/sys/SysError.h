// The system's error messages and the console lines that report a failure. The line shapes are
// plain text (SysError.cpp); reading the message and writing the lines are Win32
// (SysError_win32.cpp).
#pragma once

#include <cstdint>
#include <string>

namespace sys {

// " --- Place --- Message", or " --- Place --- Detail --- Message" when Detail is not empty.
// Place names the routine, as "Utils.GetExeVersion()".
std::string FailureLine(const std::string& Place, const std::string& Detail,
                        const std::string& Message);
// "[A]  [B]  [C]  [D]": four values of one query side by side.
std::string ValueReportLine(const std::string& A, const std::string& B, const std::string& C,
                            const std::string& D);

// Win32: the system's message for the calling thread's last error (for Code), without its line
// end; a text beginning with "Error Reading " when the system has no message for it.
std::string SysErrorText();
std::string SysErrorTextOf(uint32_t Code);

// Win32: FailureLine with the message of error Code, and ValueReportLine, as console lines.
// Callers take Code from GetLastError right after the failed call, before building any text.
void LogFailure(const std::string& Place, const std::string& Detail, uint32_t Code);
// Win32: FailureLine with a message of the caller's, for failures that set no system error.
void LogFailureMessage(const std::string& Place, const std::string& Detail,
                       const std::string& Message);
void LogValueReport(const std::string& A, const std::string& B, const std::string& C,
                    const std::string& D);

}  // namespace sys
