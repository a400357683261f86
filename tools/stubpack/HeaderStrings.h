// The header strings at PackageStart: LangData, UpdateInfo and, from version 3 on, WebSetupInfo.
// UpdateInfo and WebSetupInfo are "|" lists of fixed items; tokens are stored scrambled.
#pragma once

#include <string>

#include "PackOptions.h"

namespace stubpack {

// Seeds the scrambling from the token itself, so that equal inputs give equal packages.
std::string ScrambleToken(const std::string& plain);

// "|" alone when every item is empty, else all five items with the closing "|", and a sixth
// (the update key, the setup file's checksum) only when it is given, so that packages without
// it stay as they always were.
bool BuildUpdateInfo(const UpdateInfoItems& items, std::string& list, std::string& error);
bool BuildWebSetupInfo(const WebSetupInfoItems& items, std::string& list, std::string& error);

// The strings in file order, each as a 32-bit little-endian byte count followed by its bytes.
// version 2 leaves WebSetupInfo out; then it must be empty.
bool SerializeHeaderStrings(const PackOptions& options, std::string& bytes, std::string& error);

}  // namespace stubpack
