// The work folder: where a stub unpacks and downloads, removed again when the run ends.
#pragma once

#include <cstdint>
#include <string>

namespace stubglob {

// tempFolder + "SETUP_" + the DOS time of the running file's last write (hours x 2048 +
// minutes x 32 + seconds / 2), so the same setup file started twice gets the same folder.
std::string WorkFolderFor(const std::string& tempFolder, uint16_t dosTime);

// The work folder's path for this process, named once (Win32).
const std::string& WorkFolderPath();

}  // namespace stubglob
