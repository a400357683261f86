// Paths derived from a file path for the volume queries: the drive root, the folder handed to
// the free-space query, and the device name of a drive letter.
#pragma once

#include <string>

namespace sys {

// The path's first character upper-cased followed by ":\"; empty for an empty path.
std::string DriveRootOf(const std::string& path);

// The folder given to the extended free-space query: "/" turned into "\", cut before the first
// "\" from the fourth character on ("C:\Temp\Sub" gives "C:\Temp"), whole when there is none;
// a path shorter than 3 characters becomes its drive root.
std::string FreeSpaceQueryPath(const std::string& path);

// The upper-cased first character of path when it is a letter A to Z; 0 otherwise.
char DriveLetterOf(const std::string& path);

// "\\.\" followed by the letter and ":", the name under which a drive opens as a device.
std::string DriveDeviceName(char letter);

}  // namespace sys
