// The work folder: where a stub unpacks and downloads, removed again when the run ends; and the
// alternative work folder on a roomier fixed drive, for one run whose files do not fit the
// temporary drive.
#pragma once

#include <cstdint>
#include <string>

namespace stubglob {

// tempFolder + "SETUP_" + the DOS time of the running file's last write (hours x 2048 +
// minutes x 32 + seconds / 2), so the same setup file started twice gets the same folder.
std::string WorkFolderFor(const std::string& tempFolder, uint16_t dosTime);

// The drives that may hold an alternative work folder, in the order they are probed.
constexpr char kAltDrives[] = {'C', 'D', 'E'};
constexpr int kAltDriveCount = 3;

// The drive of kAltDrives with the most free space (a tie goes to the earlier letter), or 0 when
// it is currentLetter or no drive showed any free space.
char ChooseAltDrive(char currentLetter, const double (&freeBytes)[kAltDriveCount]);
// letter + ":\TEMP", and "\TEMP" once more when that folder already exists.
std::string AltTempRootFor(char letter, bool tempFolderExists);
// root + "_" + number.
std::string AltWorkFolderFor(const std::string& root, int64_t number);

// The work folder's path for this process, named once (Win32).
const std::string& WorkFolderPath();
// The work folder, emptied of an earlier run's leftovers and created on the first call (Win32).
const std::string& GetWorkFolder();
// Probes C, D and E (a file is written and removed on each fixed drive) until a drive roomier
// than the temporary drive is found; true once one is known (Win32).
bool FindAltTempRoot();
// The alternative work folder, created on the first call after FindAltTempRoot found a drive;
// empty without one (Win32).
const std::string& GetAltWorkFolder();
// Deletes the alternative work folder with its tree, when one was made (Win32).
void RemoveAltWorkFolder();

}  // namespace stubglob
