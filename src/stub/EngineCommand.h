// How a setup stub talks to the setup engine it carries: the engine's command line, and the
// names that tie one engine run to this stub (the thread token, the success atom that the engine
// deletes when the setup succeeded, the class of a dialog it may leave behind).
#pragma once

#include <cstdint>
#include <string>

namespace stubsetup {

// "_" + the thread id.
std::string ThreadToken(uint32_t threadId);
std::string SuccessAtomName(const std::string& threadToken);
std::string EngineDialogClass(const std::string& threadToken);

struct EngineCommandInputs {
  std::string workFolder;      // where the package was extracted
  std::string runEntry;        // "Engine.exe*args", or a bare file name, as the extraction
                               // passed it (its program is a file the extraction wrote)
  std::string extraArguments;  // this stub's own arguments
  std::string threadToken;
  std::string exePath;  // the running stub, for "/OriginExe=" when it is not there yet
  bool isAgent = false;
};

// The engine's command line: the engine in the work folder, this stub's arguments and those of
// the run entry, " /TH_ID=" with the token, "/OriginExe=" once, " /AutoUpdateProg" for an agent;
// the disk-set switches of a span copy are taken out, since they mean nothing to the engine.
std::string EngineCommandLine(const EngineCommandInputs& in);
// The engine's program file: the work folder and the run entry's name. The system is given it
// apart from the command line, so that a work folder with blanks cannot start another program.
std::string EngineProgramPath(const EngineCommandInputs& in);

// Removes the first Name (exact case) from line: from its slash up to, not including, the next
// "/" or to the end.
std::string RemoveFirstSwitch(const std::string& line, const std::string& name);

}  // namespace stubsetup
