// Command-line switches such as "/SleepX=5" or "/hide". Names are matched without regard to case,
// double quotes are removed from values, a value ends where a blank followed by "/" (or "-" for
// switches written with "-") begins, and a switch given twice yields its first value.
// The ...In forms work on a given command tail; the others on the running process.
#pragma once

#include <cstdint>
#include <string>

namespace sys {

// The command line without the program's own path, trimmed. ProgramPath is the full path of the
// program file; its file name is the part after the last "\" or "/".
std::string CommandTailOf(const std::string& CommandLine, const std::string& ProgramPath);

// The switches of Tail as a list delimited by the byte 1, one item per switch written with C
// ("/" or "-"); the text before the first switch is item 0.
std::string SwitchList(const std::string& Tail, char C);

// The trimmed value written after Name ("/SleepX=" or "SleepX"); an empty text when the switch
// is present with nothing after "=", Default when it is absent or written without "=".
std::string GetSwitchValueIn(const std::string& Tail, const std::string& Name,
                             const std::string& Default);
// The value read by TryParseInt64; Default when it is absent or no number.
int64_t GetSwitchIntIn(const std::string& Tail, const std::string& Name, int64_t Default);
// Whether Switch followed by a blank occurs in Tail followed by a blank, without regard to case.
bool HasSwitchIn(const std::string& Tail, const std::string& Switch);

std::string CommandTail();
std::string GetSwitchValue(const std::string& Name, const std::string& Default);
int64_t GetSwitchInt(const std::string& Name, int64_t Default);
bool HasSwitch(const std::string& Switch);

}  // namespace sys
