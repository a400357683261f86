// Where the update description files lie: both in the agent folder (the folder of the running
// program file), named after item 1 of the descriptor's UpdateInfo: MyApp.beta.info is fetched
// to MyApp.beta.info and describes the installation in MyApp.original. Paths are built anew at
// every call, so each access reads the descriptor and the folder as they are now.
#pragma once

#include <string>

class TGFileInfo;

namespace au {

// The folder part of Path up to and including its last "\", "/" or ":"; empty when it has none.
std::string FolderOf(const std::string& Path);

// The agent folder, with its trailing delimiter: the running program file's folder, unless
// SetAgentFolder chose another one (tests and tools keep the files elsewhere).
std::string AgentFolder();
// Folder becomes the agent folder ("\" is added when it ends without a delimiter); an empty
// Folder returns to the running program file's folder.
void SetAgentFolder(const std::string& Folder);

// The two full paths in Folder for the descriptor Info. Empty when Info is null or names no
// .info file: such an agent has no description files, so it reads defaults and writes nothing
// rather than creating a file called ".original".
std::string OriginalPathIn(const std::string& Folder, const TGFileInfo* Info);
std::string InfoPathIn(const std::string& Folder, const TGFileInfo* Info);

// The paths for the running agent: AgentFolder() and the descriptor of the running file.
std::string GetOriginalPath();
std::string GetInfoPath();

}  // namespace au
