// This file must contain only Win32 code.
#include "stub/WorkFolder.h"

#include "sys/Files.h"
#include "sys/Folders.h"
#include "sys/Host.h"
#include "sys/Platform.h"
#include "sys/RandomRange.h"

namespace stubglob {
namespace {

std::string altTempRoot;
std::string altWorkFolder;

int64_t RandomNumber() { return sys::RandomInRange(10000, 100000); }

// Replaces a leftover folder of that name by a new empty one.
void MakeFreshFolder(const std::string& folder) {
  if (sys::FolderExists(folder)) sys::DeleteTree(folder, true);
  sys::ForceDirectories(folder);
}

// Free bytes of a fixed drive as seen by really writing a file there; 0 when that fails. The
// probe folder goes again, and with it a ":\TEMP" folder made just for the probe.
double ProbeFreeBytes(char letter) {
  const std::string root = std::string(1, letter) + ":\\";
  if (::GetDriveTypeA(root.c_str()) != DRIVE_FIXED) return 0;
  std::string probe = root + "TEMP";
  if (sys::FolderExists(probe)) probe += "\\TEMP" + std::to_string(RandomNumber());
  sys::ForceDirectories(probe);
  const std::string file = probe + "\\~aa.tmp";
  sys::SaveFile(file, "aa", 0, false);
  const double freeBytes = sys::FileExists(file) ? sys::DiskFree(probe) : 0;
  sys::DeleteTree(probe, true);
  return freeBytes < 0 ? 0 : freeBytes;
}

}  // namespace

const std::string& WorkFolderPath() {
  static const std::string path = WorkFolderFor(
      sys::TempFolder(true), static_cast<uint16_t>(sys::FileAge(sys::ProgramPath())));
  return path;
}

const std::string& GetWorkFolder() {
  static bool made = false;
  if (!made) {
    made = true;
    MakeFreshFolder(WorkFolderPath());
  }
  return WorkFolderPath();
}

bool FindAltTempRoot() {
  if (!altTempRoot.empty()) return true;
  double freeBytes[kAltDriveCount];
  for (int i = 0; i < kAltDriveCount; ++i) freeBytes[i] = ProbeFreeBytes(kAltDrives[i]);
  const char best = ChooseAltDrive(sys::TempFolder(false).c_str()[0], freeBytes);
  if (best != 0) {
    const std::string temp = std::string(1, best) + ":\\TEMP";
    altTempRoot = AltTempRootFor(best, sys::FolderExists(temp));
  }
  return !altTempRoot.empty();
}

const std::string& GetAltWorkFolder() {
  if (altWorkFolder.empty() && !altTempRoot.empty()) {
    altWorkFolder = AltWorkFolderFor(altTempRoot, RandomNumber());
    MakeFreshFolder(altWorkFolder);
  }
  return altWorkFolder;
}

void RemoveAltWorkFolder() {
  if (!GetAltWorkFolder().empty()) sys::DeleteTree(GetAltWorkFolder(), true);
}

}  // namespace stubglob
