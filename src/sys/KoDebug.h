// The two diagnostic outputs of the stub: the debug log file beside an auto-update agent, and
// the console channel, whose text blocks go to a debug viewer window if one is open.
#pragma once

#include <string>

namespace kodebug {

// Gates every debug-log line; set once at start-up for an agent that asks for its log.
void SetDebugLogOn(bool on);
bool DebugLogOn();
// Text between the thread id and the message: three blanks, or " X " in a transient agent.
void SetLogMarker(const std::string& marker);
// Full path of the log file, computed on first use.
const std::string& LogFileName();
// Appends one line to the log (opened and closed per line, so two agents can share it).
void DebugLog(const std::string& message);

// Replaces the standard text output by the 128-character channel to the viewer. Called once,
// before the main routine runs.
void InstallConsoleChannel();
// Writes text to the channel; a block goes to the viewer when the buffer fills or a line ends.
void ConsoleWrite(const std::string& text);
// Writes text and a line end.
void ConsoleLine(const std::string& text);
// A line beginning with this process's id, as most console lines of the stub do.
void ConsoleProcessLine(const std::string& text);

// How the log lines write a flag.
inline const char* TrueFalse(bool value) { return value ? "TRUE" : "FALSE"; }

}  // namespace kodebug
