// This file must contain only truly operating-system independent code.
#include "stub/WorkFolder.h"

namespace stubglob {

std::string WorkFolderFor(const std::string& tempFolder, uint16_t dosTime) {
  std::string folder = tempFolder;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder + "SETUP_" + std::to_string(dosTime);
}

}  // namespace stubglob
