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

// One complete log line: stamp ("dd/mm/yy HH:NN:SS"), blank, thread id right-aligned in 5, marker, message, CR LF.
std::string FormatLogLine(const std::string& stamp, uint32_t threadId, const std::string& marker,
                          const std::string& message);

}  // namespace kodebug
