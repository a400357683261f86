// This file must contain only truly operating-system independent code.
#include "agent/UpdateFilePaths.h"

#include "agent/AgentHost.h"
#include "pack/GFileInfo.h"
#include "sys/Host.h"

namespace au {
namespace {

std::string& ChosenFolder() {
  static std::string folder;
  return folder;
}

bool EndsWithDelimiter(const std::string& Path) {
  return !Path.empty() && (Path.back() == '\\' || Path.back() == '/' || Path.back() == ':');
}

bool NamesInfoFile(const TGFileInfo* Info) { return Info && !Info->GetInfoFileName().empty(); }

}  // namespace

std::string FolderOf(const std::string& Path) {
  const size_t last = Path.find_last_of("\\/:");
  return last == std::string::npos ? std::string() : Path.substr(0, last + 1);
}

std::string AgentFolder() {
  const std::string& chosen = ChosenFolder();
  return chosen.empty() ? FolderOf(sys::ProgramPath()) : chosen;
}

void SetAgentFolder(const std::string& Folder) {
  ChosenFolder() = Folder.empty() || EndsWithDelimiter(Folder) ? Folder : Folder + "\\";
}

std::string OriginalPathIn(const std::string& Folder, const TGFileInfo* Info) {
  return NamesInfoFile(Info) ? Folder + Info->GetOriginalFileName() : std::string();
}

std::string InfoPathIn(const std::string& Folder, const TGFileInfo* Info) {
  return NamesInfoFile(Info) ? Folder + Info->GetInfoFileName() : std::string();
}

std::string GetOriginalPath() { return OriginalPathIn(AgentFolder(), AgentPackage()); }

std::string GetInfoPath() { return InfoPathIn(AgentFolder(), AgentPackage()); }

}  // namespace au
