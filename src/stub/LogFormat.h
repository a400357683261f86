// The shapes of the debug log: where the file lies and how a line reads. The writing itself
// (KoDebug) is Win32 code; these rules are plain text work.
#pragma once

#include <cstdint>
#include <string>

namespace kodebug {

// The log file beside the running file: its name with "X_" in front (unless it already begins
// with "X_", case-sensitive) and ".log" for its extension. Tool.exe and X_Tool.exe both log to
// X_Tool.log.
std::string LogFileNameFor(const std::string& exePath);

struct Stamp {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "dd/mm/yy HH:NN:SS" with the locale's date and time separators.
std::string FormatLogStamp(const Stamp& now, const std::string& dateSeparator,
                           const std::string& timeSeparator);

// One complete log line: stamp, blank, thread id right-aligned in 5, marker, message, CR LF.
std::string FormatLogLine(const std::string& stamp, uint32_t threadId, const std::string& marker,
                          const std::string& message);

}  // namespace kodebug
