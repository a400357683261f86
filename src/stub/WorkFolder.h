// The work folder: where a stub unpacks and downloads, removed again when the run ends; and the
// alternative work folder on a roomier fixed drive, for one run whose files do not fit the
// temporary drive.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "sys/PrivateFolder.h"

namespace stubglob {

// tempFolder + "SETUP_" + the DOS time of the running file's last write (hours x 2048 +
// minutes x 32 + seconds / 2), so the same setup file started twice gets the same folder.
std::string WorkFolderFor(const std::string& tempFolder, uint16_t dosTime);

// The name to try after tries taken names: the work folder of the next number (the number
// stays within 16 bits), so an earlier run's folder, or one another user planted, is never
// reused. Try 0 is WorkFolderFor itself.
std::string WorkFolderCandidate(const std::string& tempFolder, uint16_t dosTime, int tries);
constexpr int kWorkFolderTries = 65536;  // every number once

// Creates the first folder of nameFor(0), nameFor(1), ... (at most tries names) that create
// makes; a taken name is passed over, any other failure ends the search. The folder made, or
// empty when none was.
std::string CreateFirstFreeFolder(const std::function<std::string(int)>& nameFor, int tries,
                                  const std::function<sys::NewFolder(const std::string&)>& create);

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

// The work folder this process made; empty before GetWorkFolder made one (Win32).
const std::string& WorkFolderPath();
// The work folder, created on the first call as a new private folder (sys/PrivateFolder.h):
// WorkFolderFor, or the next free number when that name is taken. Empty when none could be
// made (Win32).
const std::string& GetWorkFolder();
// Deletes the work folder with its tree; the next GetWorkFolder makes a new one (Win32).
void RemoveWorkFolder();
// Probes C, D and E (a file is written and removed on each fixed drive) until a drive roomier
// than the temporary drive is found; true once one is known (Win32). The probe folder is made
// new and private; a ":\TEMP" that is a link is not probed through.
bool FindAltTempRoot();
// The alternative work folder, created new and private on the first call after FindAltTempRoot
// found a drive (another random number when the name is taken); empty without one, or when it
// could not be made or its parent is a link (Win32).
const std::string& GetAltWorkFolder();
// Deletes the alternative work folder with its tree, when one was made (Win32).
void RemoveAltWorkFolder();

}  // namespace stubglob
