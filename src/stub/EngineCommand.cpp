// This file must contain only truly operating-system independent code.
#include "stub/EngineCommand.h"

#include "pack/EntryTarget.h"
#include "sys/UtilsText.h"

namespace stubsetup {

std::string ThreadToken(uint32_t threadId) { return "_" + std::to_string(threadId); }

std::string SuccessAtomName(const std::string& threadToken) {
  return "AutoUpdateAtomTokenByKarst" + threadToken;
}

std::string EngineDialogClass(const std::string& threadToken) {
  return ".SDialog_Class_Name." + threadToken;
}

std::string RemoveFirstSwitch(const std::string& line, const std::string& name) {
  const size_t start = line.find(name);
  if (start == std::string::npos) return line;
  const size_t end = line.find('/', start + 1);
  return line.substr(0, start) + (end == std::string::npos ? "" : line.substr(end));
}

namespace {

// The run entry split at its first "*": the engine's name, and the arguments (this stub's own
// first). Without "*" the entry is the name as it stands. The name is the one the extraction
// checked against the files it wrote.
void SplitRunEntry(const EngineCommandInputs& in, std::string& engine, std::string& arguments) {
  engine = pack::RunEntryProgram(in.runEntry);
  arguments = in.extraArguments;
  const size_t star = in.runEntry.find('*');
  if (star == std::string::npos) return;
  arguments = sys::Trim(sys::Trim(in.extraArguments) + " " + sys::Trim(in.runEntry.substr(star + 1)));
}

}  // namespace

std::string EngineProgramPath(const EngineCommandInputs& in) {
  std::string engine, arguments;
  SplitRunEntry(in, engine, arguments);
  return in.workFolder + "\\" + engine;
}

std::string EngineCommandLine(const EngineCommandInputs& in) {
  std::string engine, arguments;
  SplitRunEntry(in, engine, arguments);
  std::string line = in.workFolder + "\\" + engine;
  if (!arguments.empty()) line += " " + arguments;
  line += " /TH_ID=" + in.threadToken;
  if (line.find("/OriginExe=") == std::string::npos)
    line += " /OriginExe=\"" + in.exePath + "\"";
  if (in.isAgent) line += " /AutoUpdateProg";
  line = RemoveFirstSwitch(line, "/SpanCdLvl=");
  return RemoveFirstSwitch(line, "/SpanDiskFName1=");
}

}  // namespace stubsetup
