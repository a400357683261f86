// This file must contain only truly operating-system independent code.
#include "sys/DrivePaths.h"

#include "sys/UtilsText.h"

namespace sys {

std::string DriveRootOf(const std::string& path) {
  if (path.empty()) return std::string();
  return UpperCase(path.substr(0, 1)) + ":\\";
}

std::string FreeSpaceQueryPath(const std::string& path) {
  if (path.size() < 3) return DriveRootOf(path);
  const std::string normal = ReplaceChar(path, '/', '\\');
  const size_t cut = normal.find('\\', 3);
  return cut == std::string::npos ? normal : normal.substr(0, cut);
}

char DriveLetterOf(const std::string& path) {
  if (path.empty()) return 0;
  const char letter = UpperCase(path.substr(0, 1))[0];
  return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

std::string DriveDeviceName(char letter) { return std::string("\\\\.\\") + letter + ":"; }

}  // namespace sys
