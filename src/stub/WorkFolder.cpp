// This file must contain only truly operating-system independent code.
#include "stub/WorkFolder.h"

#include <cctype>

namespace stubglob {

std::string WorkFolderFor(const std::string& tempFolder, uint16_t dosTime) {
  std::string folder = tempFolder;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder + "SETUP_" + std::to_string(dosTime);
}

std::string WorkFolderCandidate(const std::string& tempFolder, uint16_t dosTime, int tries) {
  return WorkFolderFor(tempFolder, static_cast<uint16_t>(dosTime + tries));
}

std::string CreateFirstFreeFolder(const std::function<std::string(int)>& nameFor, int tries,
                                  const std::function<sys::NewFolder(const std::string&)>& create) {
  for (int i = 0; i < tries; ++i) {
    const std::string name = nameFor(i);
    const sys::NewFolder made = create(name);
    if (made == sys::NewFolder::kCreated) return name;
    if (made == sys::NewFolder::kFailed) break;
  }
  return std::string();
}

char ChooseAltDrive(char currentLetter, const double (&freeBytes)[kAltDriveCount]) {
  const char current = static_cast<char>(std::toupper(static_cast<unsigned char>(currentLetter)));
  char best = current;
  double largest = 0;
  for (int i = 0; i < kAltDriveCount; ++i) {
    if (freeBytes[i] > largest) {
      largest = freeBytes[i];
      best = kAltDrives[i];
    }
  }
  return best == current ? 0 : best;
}

std::string AltTempRootFor(char letter, bool tempFolderExists) {
  std::string root = std::string(1, letter) + ":\\TEMP";
  return tempFolderExists ? root + "\\TEMP" : root;
}

std::string AltWorkFolderFor(const std::string& root, int64_t number) {
  return root + "_" + std::to_string(number);
}

}  // namespace stubglob
