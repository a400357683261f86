// This file must contain only Win32 code.
#include "stub/WorkFolder.h"

#include "sys/Files.h"
#include "sys/Folders.h"
#include "sys/Host.h"
#include "sys/Platform.h"
#include "sys/PrivateFolder.h"
#include "sys/RandomRange.h"

namespace stubglob {
namespace {

std::string workFolder;
bool workFolderMade = false;
std::string altTempRoot;
std::string altWorkFolder;

// Random names are drawn again this often before a drive is given up: each taken name is one
// that somebody else made there.
constexpr int kRandomNameTries = 100;

int64_t RandomNumber() { return sys::RandomInRange(10000, 100000); }

bool IsLink(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A folder at a drive's ":\TEMP" can be made by any user, and so can a link there.
bool IsRealFolder(const std::string& path) { return sys::FolderExists(path) && !IsLink(path); }

// A new private folder named nameFor(a random number), drawn again while the name is taken.
std::string CreateRandomFolder(const std::function<std::string(int64_t)>& nameFor) {
  return CreateFirstFreeFolder([&](int) { return nameFor(RandomNumber()); }, kRandomNameTries,
                               sys::CreatePrivateFolder);
}

// The probe folder: ":\TEMP" made just for the probe, or a new folder inside an existing one.
std::string CreateProbeFolder(const std::string& root) {
  const std::string temp = root + "TEMP";
  if (!sys::FolderExists(temp) && sys::CreatePrivateFolder(temp) == sys::NewFolder::kCreated)
    return temp;
  if (!IsRealFolder(temp)) return std::string();
  return CreateRandomFolder([&](int64_t n) { return temp + "\\TEMP" + std::to_string(n); });
}

// Free bytes of a fixed drive as seen by really writing a file there; 0 when that fails. The
// probe folder goes again, and with it a ":\TEMP" folder made just for the probe.
double ProbeFreeBytes(char letter) {
  const std::string root = std::string(1, letter) + ":\\";
  if (::GetDriveTypeA(root.c_str()) != DRIVE_FIXED) return 0;
  const std::string probe = CreateProbeFolder(root);
  if (probe.empty()) return 0;
  const std::string file = probe + "\\~aa.tmp";
  sys::SaveFile(file, "aa", 0, false);
  const double freeBytes = sys::FileExists(file) ? sys::DiskFree(probe) : 0;
  sys::DeleteTree(probe, true);
  return freeBytes < 0 ? 0 : freeBytes;
}

std::string CreateWorkFolder() {
  const std::string temp = sys::TempFolder(true);
  sys::ForceDirectories(temp);
  const uint16_t dosTime = static_cast<uint16_t>(sys::FileAge(sys::ProgramPath()));
  return CreateFirstFreeFolder([&](int tries) { return WorkFolderCandidate(temp, dosTime, tries); },
                               kWorkFolderTries, sys::CreatePrivateFolder);
}

}  // namespace

const std::string& WorkFolderPath() { return workFolder; }

const std::string& GetWorkFolder() {
  if (!workFolderMade) {
    workFolderMade = true;
    workFolder = CreateWorkFolder();
  }
  return workFolder;
}

void RemoveWorkFolder() {
  if (!workFolder.empty()) sys::DeleteTree(workFolder, true);
  // A later run gets a new private folder, never one recreated under the same name.
  workFolder.clear();
  workFolderMade = false;
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
  // "X:\TEMP\TEMP_n" lies in a folder any user may have made: never through a link there.
  const bool rootIsLink = !altTempRoot.empty() && IsLink(sys::FolderOfPath(altTempRoot, false));
  if (altWorkFolder.empty() && !altTempRoot.empty() && !rootIsLink) {
    altWorkFolder =
        CreateRandomFolder([](int64_t n) { return AltWorkFolderFor(altTempRoot, n); });
  }
  return altWorkFolder;
}

void RemoveAltWorkFolder() {
  if (altWorkFolder.empty()) return;
  sys::DeleteTree(altWorkFolder, true);
  // A later run gets a new private folder rather than one recreated under the drive's rules.
  altWorkFolder.clear();
}

}  // namespace stubglob
