// The list of files to pack: single files (SRC or SRC=TARGET), whole folders, and which of them
// is the setup engine. Target names are what the stub writes below its work folder, so they are
// checked here for everything that would make the stub write elsewhere or misread the name list.
#pragma once

#include <string>
#include <vector>

#include "PackOptions.h"

namespace stubpack {

// Non-empty, relative, no "..", no ":" and none of the characters that the name list or the run
// marker use ("|", "*") and no byte 0.
bool ValidateTargetName(const std::string& target, std::string& error);

// "SRC" packs SRC under its file name, "SRC=TARGET" under TARGET ("/" becomes "\"). A path that
// exists as given is always taken whole, so a source name may itself contain "=".
bool ParseFileArgument(const std::string& argument, PackFile& file, std::string& error);

// Every regular file below folder, named relative to it with "\", sorted by name (letter case
// ignored) so that the package does not depend on the order in which the system lists a folder.
bool CollectFolder(const std::string& folder, std::vector<PackFile>& files, std::string& error);

// runEntry is NAME or NAME*PARAMS; marks the file whose target is NAME (letter case ignored).
bool MarkRunEntry(const std::string& runEntry, std::vector<PackFile>& files, std::string& error);

// Every target valid and no two equal (letter case ignored, as on the stub's file system).
bool ValidatePackFiles(const std::vector<PackFile>& files, std::string& error);

}  // namespace stubpack
