// This file must contain only truly operating-system independent code.
#include "sys/Switches.h"

#include <algorithm>

#include "sys/Host.h"
#include "sys/KoSUB.h"
#include "sys/UtilsText.h"

namespace sys {
namespace {

constexpr char kSwitchDelimiter = '\1';

std::string FileNameOf(const std::string& Path) {
  size_t separator = Path.find_last_of("\\/");
  return separator == std::string::npos ? Path : Path.substr(separator + 1);
}

// Offset just behind the program's file name in Line: behind its closing quote when the program
// was started by a quoted path, else behind the name itself; npos when the name does not occur.
size_t EndOfFileName(const std::string& Line, const std::string& FileName) {
  if (FileName.empty()) return std::string::npos;
  size_t quoted = PosNoCase(Line, FileName + '"');
  if (quoted > 0) return quoted - 1 + FileName.size() + 1;
  size_t plain = PosNoCase(Line, FileName);
  return plain > 0 ? plain - 1 + FileName.size() : std::string::npos;
}

std::string WithoutProgramPath(const std::string& Line, const std::string& ProgramPath) {
  std::string rest = Line;
  size_t at = PosNoCase(Line, ProgramPath);
  if (at > 0) rest.erase(at - 1, ProgramPath.size());
  return rest;
}

}  // namespace

std::string CommandTailOf(const std::string& CommandLine, const std::string& ProgramPath) {
  size_t end = EndOfFileName(CommandLine, FileNameOf(ProgramPath));
  if (end == std::string::npos) return Trim(WithoutProgramPath(CommandLine, ProgramPath));
  std::string tail = Trim(CommandLine.substr(end));
  // A single character behind the name is debris of the program's own quoting, not an argument:
  // every argument the stub reads is a switch of at least two characters.
  return tail.size() == 1 ? std::string() : tail;
}

std::string SwitchList(const std::string& Tail, char C) {
  std::string text = ' ' + Tail;
  text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
  text = ReplaceText(text, std::string(1, ' ') + C, std::string(1, kSwitchDelimiter));
  return kSwitchDelimiter + text + kSwitchDelimiter;
}

std::string GetSwitchValueIn(const std::string& Tail, const std::string& Name,
                             const std::string& Default) {
  std::string name = Trim(Name);
  const char c = !name.empty() && name[0] == '-' ? '-' : '/';
  name.erase(std::remove(name.begin(), name.end(), c), name.end());
  if (name.empty()) return Default;
  // No item holds the list's delimiter, so this default can only mean: not found.
  const std::string absent(1, kSwitchDelimiter);
  std::string value = SUB::GetValue(SwitchList(Tail, c), name, "", absent);
  return value == absent ? Default : Trim(value);
}

int64_t GetSwitchIntIn(const std::string& Tail, const std::string& Name, int64_t Default) {
  int64_t value = Default;
  return TryParseInt64(GetSwitchValueIn(Tail, Name, ""), value) ? value : Default;
}

bool HasSwitchIn(const std::string& Tail, const std::string& Switch) {
  return !Switch.empty() && PosNoCase(Tail + ' ', Switch + ' ') > 0;
}

std::string CommandTail() { return CommandTailOf(ProcessCommandLine(), ProgramPath()); }

std::string GetSwitchValue(const std::string& Name, const std::string& Default) {
  return GetSwitchValueIn(CommandTail(), Name, Default);
}

int64_t GetSwitchInt(const std::string& Name, int64_t Default) {
  return GetSwitchIntIn(CommandTail(), Name, Default);
}

bool HasSwitch(const std::string& Switch) { return HasSwitchIn(CommandTail(), Switch); }

}  // namespace sys
